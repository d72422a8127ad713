# What `cmake --install` puts where, under any prefix:
#
#   bin/                          corvella, corvella-mkdb, corvella-help
#   share/corvella/               the help book, the report templates and the
#                                 pristine database every user's copy starts from
#   share/applications/           the menu entry
#   share/metainfo/               the software-centre description
#   share/icons/hicolor/*/apps/   the icon, as PNG at the usual sizes and as SVG
#   share/man/man1/               the manual pages
#   share/doc/corvella/           the copyright notice
#
# The program finds its share folder from its own folder (src/app/Paths.h), so
# an installation can be moved to another prefix as a whole.

include(GNUInstallDirs)

set(CORVELLA_INSTALL_SHAREDIR ${CMAKE_INSTALL_DATADIR}/corvella)
set(CORVELLA_DESKTOP_ID org.example.corvella)
set(CORVELLA_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

# The share folder as seen from the installed executables.
file(RELATIVE_PATH corvella_share_from_bin /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CORVELLA_INSTALL_SHAREDIR})
target_compile_definitions(corvella_app PRIVATE
                           CORVELLA_SHARE_FROM_BIN="${corvella_share_from_bin}")

# The pristine database, made fresh by the build whenever the tool that makes
# it changes. It lies outside the program's folder: that one is the build's
# own database, which the user of the build folder writes to.
set(CORVELLA_PRISTINE_DB ${CMAKE_BINARY_DIR}/pristine/CORVELLA.CVL)
add_custom_command(OUTPUT ${CORVELLA_PRISTINE_DB}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${CORVELLA_PRISTINE_DB}
  COMMAND corvella-mkdb ${CORVELLA_PRISTINE_DB}
  DEPENDS corvella-mkdb
  COMMENT "Making the pristine database for installation"
  VERBATIM)
add_custom_target(corvella_pristine_db ALL DEPENDS ${CORVELLA_PRISTINE_DB})

# The icon theme wants bitmaps beside the SVG; they are drawn from the same
# SVG as the window icon, by a small tool of the build's own.
add_executable(corvella-svg2png src/app/svg2png/main.cpp)
target_link_libraries(corvella-svg2png PRIVATE Qt6::Gui Qt6::Svg)
set_target_properties(corvella-svg2png PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/build-tools)
set(CORVELLA_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/corvella.svg)
set(CORVELLA_ICON_SIZES 16 22 24 32 48 64 128 256)
set(CORVELLA_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
set(corvella_icon_pngs)
foreach(size IN LISTS CORVELLA_ICON_SIZES)
  set(png ${CORVELLA_ICON_DIR}/${size}x${size}/apps/corvella.png)
  add_custom_command(OUTPUT ${png}
    COMMAND corvella-svg2png ${CORVELLA_ICON_SVG} ${png} ${size}
    DEPENDS corvella-svg2png ${CORVELLA_ICON_SVG}
    VERBATIM)
  list(APPEND corvella_icon_pngs ${png})
endforeach()
add_custom_target(corvella_icon_pngs ALL DEPENDS ${corvella_icon_pngs})

# Manual pages and the changelog are kept compressed, as Debian's rules ask.
find_program(CORVELLA_GZIP gzip REQUIRED)
set(corvella_gzipped)
function(corv_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND ${CORVELLA_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source})
  set(corvella_gzipped ${corvella_gzipped} ${output} PARENT_SCOPE)
endfunction()
set(CORVELLA_MAN_PAGES corvella corvella-mkdb corvella-help)
foreach(page IN LISTS CORVELLA_MAN_PAGES)
  corv_gzip(${CORVELLA_DESKTOP_DIR}/${page}.1 ${CMAKE_BINARY_DIR}/doc/${page}.1.gz)
endforeach()
corv_gzip(${CORVELLA_DESKTOP_DIR}/changelog ${CMAKE_BINARY_DIR}/doc/changelog.gz)
add_custom_target(corvella_docs ALL DEPENDS ${corvella_gzipped})

# --- The install rules ---

# Debian's hardening: every symbol bound at start, so that with the
# linker's default relro the whole table of them is read-only.
set(CORVELLA_PROGRAMS corvella corvella-mkdb corvella-help)
foreach(program IN LISTS CORVELLA_PROGRAMS)
  target_link_options(${program} PRIVATE LINKER:-z,now)
endforeach()

install(TARGETS ${CORVELLA_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The compilers' version notes (.comment) are of no use once installed, and
# Debian's packages leave them out.
install(CODE "
  foreach(program ${CORVELLA_PROGRAMS})
    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
      COMMAND_ERROR_IS_FATAL ANY)
  endforeach()")

# Read-only files, shared by every user.
set(CORVELLA_HELP ${PROJECT_SOURCE_DIR}/resources/help/CORVELLA.HLP)
if(EXISTS ${CORVELLA_HELP})
  install(FILES ${CORVELLA_HELP} DESTINATION ${CORVELLA_INSTALL_SHAREDIR})
endif()
# Help books in other languages, CORVELLA_<lang>.HLP, where there are any:
# the program shows the one of its language and falls back on the English.
file(GLOB corvella_help_translations CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/resources/help/CORVELLA_*.HLP)
if(corvella_help_translations)
  install(FILES ${corvella_help_translations} DESTINATION ${CORVELLA_INSTALL_SHAREDIR})
endif()
file(GLOB corvella_report_templates CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/resources/reports/*.rpt)
if(corvella_report_templates)
  install(FILES ${corvella_report_templates} DESTINATION ${CORVELLA_INSTALL_SHAREDIR})
endif()
install(FILES ${CORVELLA_PRISTINE_DB} DESTINATION ${CORVELLA_INSTALL_SHAREDIR})

# The desktop: menu entry, software-centre description, icons.
install(FILES ${CORVELLA_DESKTOP_DIR}/${CORVELLA_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CORVELLA_DESKTOP_DIR}/${CORVELLA_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CORVELLA_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CORVELLA_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, the copyright notice and the changelog.
foreach(page IN LISTS CORVELLA_MAN_PAGES)
  install(FILES ${CMAKE_BINARY_DIR}/doc/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
set(CORVELLA_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/corvella)
install(FILES ${CORVELLA_DESKTOP_DIR}/copyright DESTINATION ${CORVELLA_INSTALL_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/doc/changelog.gz DESTINATION ${CORVELLA_INSTALL_DOCDIR})
