# Precompiled Qt headers.
#
# Most of what a build spends on a file of Corvella is the compiler reading
# Qt's headers again: a window's file reads about 2 s of them and compiles
# 1 s of its own. With clang, every library, program, benchmark and fuzz
# target of the build starts from one precompiled header of the Qt modules
# Corvella uses (corvella_pch), and every test that opens windows from one
# that adds QtTest (corvella_testpch, made in tests/, where the tests'
# QT_TESTCASE_* definitions are the same); a file then reads only what is
# its own. The sanitized check build, compiled so by clang, takes about a
# third of the processor time GCC took without it.
#
# Only clang: GCC refuses a precompiled header made under other -D options
# than the file's own, and each layer links other Qt modules (QT_SQL_LIB,
# QT_CHARTS_LIB, ...), so a GCC build with it would compile as before and
# warn for every file. The GCC build, without it, is also the one that
# catches a missing #include the precompiled header would hide.
#
# The headers carry the Qt module definitions of the build they were made
# in (QT_WIDGETS_LIB among them), so a test that must not make a
# QApplication (it links no window layer) is left without it: mark it with
# corv_without_pch().
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(corvella_pch_default ON)
else()
  set(corvella_pch_default OFF)
endif()
option(CORVELLA_PCH "Precompile the Qt headers (clang builds)" ${corvella_pch_default})

set(CORVELLA_PCH_HEADERS
    <QtCore/QtCore> <QtGui/QtGui> <QtWidgets/QtWidgets> <QtSql/QtSql>
    <QtPrintSupport/QtPrintSupport> <QtCharts/QtCharts> <QtSvg/QtSvg>
    <algorithm> <functional> <memory> <optional> <vector>)
set(CORVELLA_PCH_MODULES Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Sql Qt6::PrintSupport
    Qt6::Charts Qt6::Svg)

# corv_pch_owner(NAME [MODULES...] [HEADERS...]): a library that holds
# nothing but a precompiled header of CORVELLA_PCH_HEADERS and HEADERS,
# made with CORVELLA_PCH_MODULES and MODULES.
function(corv_pch_owner name)
  if(NOT CORVELLA_PCH)
    return()
  endif()
  cmake_parse_arguments(P "" "" "MODULES;HEADERS" ${ARGN})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// The precompiled Qt headers' own file.\n")
  add_library(${name} STATIC ${source})
  target_link_libraries(${name} PRIVATE ${CORVELLA_PCH_MODULES} ${P_MODULES})
  target_precompile_headers(${name} PRIVATE ${CORVELLA_PCH_HEADERS} ${P_HEADERS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

# corv_without_pch(TARGET...): targets that compile without a precompiled
# header.
function(corv_without_pch)
  foreach(t IN LISTS ARGN)
    set_property(TARGET ${t} PROPERTY CORVELLA_WITHOUT_PCH ON)
  endforeach()
endfunction()

# corv_use_pch(OWNER DIRECTORY): every C++ target made in DIRECTORY and the
# directories below it starts from OWNER's precompiled header, unless it has
# one already.
function(corv_use_pch owner dir)
  if(NOT CORVELLA_PCH)
    return()
  endif()
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    get_target_property(without ${t} CORVELLA_WITHOUT_PCH)
    if(t STREQUAL owner OR without OR NOT type MATCHES "^(STATIC_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
      continue()
    endif()
    get_target_property(own ${t} PRECOMPILE_HEADERS)
    get_target_property(reused ${t} PRECOMPILE_HEADERS_REUSE_FROM)
    if(own OR reused)
      continue()
    endif()
    target_precompile_headers(${t} REUSE_FROM ${owner})
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    corv_use_pch(${owner} ${sub})
  endforeach()
endfunction()
