# Corvella's translations: translations/corvella_<lang>.ts, kept up to date
# from the sources by `cmake --build build --target corvella_lupdate` (lupdate),
# compiled by every build (lrelease) into the program's folder's
# translations/ folder, where the program finds them, and installed into the
# share folder's.
find_package(Qt6 COMPONENTS LinguistTools)
set(CORVELLA_TS_FILES ${PROJECT_SOURCE_DIR}/translations/corvella_de.ts)
set(CORVELLA_QM_DIR ${CORVELLA_BIN_DIR}/translations)
if(Qt6LinguistTools_FOUND)
  file(GLOB_RECURSE corvella_tr_sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
  list(FILTER corvella_tr_sources EXCLUDE REGEX "/src/app/(svg2png|help)/")
  get_target_property(corvella_lupdate_exe Qt6::lupdate IMPORTED_LOCATION)
  # The whole tree is one catalogue; the locations are left out of the .ts
  # files, so that moving a line does not change them.
  add_custom_target(corvella_lupdate
    COMMAND ${corvella_lupdate_exe} -silent -locations none -no-obsolete
            ${corvella_tr_sources} -ts ${CORVELLA_TS_FILES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Updating the translations from the sources"
    VERBATIM)
  set(corvella_qm_files)
  foreach(ts IN LISTS CORVELLA_TS_FILES)
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${CORVELLA_QM_DIR}/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVELLA_QM_DIR}
      COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
      DEPENDS ${ts}
      VERBATIM)
    list(APPEND corvella_qm_files ${qm})
  endforeach()
  add_custom_target(corvella_translations ALL DEPENDS ${corvella_qm_files})
  add_dependencies(corvella corvella_translations)
  install(FILES ${corvella_qm_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/corvella/translations)
else()
  message(WARNING "Qt's translation tools (qt6-l10n-tools) are missing: Corvella is built "
                  "without its translations")
endif()
