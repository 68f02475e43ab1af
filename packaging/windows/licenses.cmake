# Gathers the licence texts the Windows installation carries: Vantric's own, Qt's (LGPL-3.0, with
# the GPL-3.0 it builds on and where its source comes from), that of Qt's Chinese translation
# (GPL-3.0 with an exception) and the MinGW runtime's. Text files get Windows line ends, so that
# Notepad shows them as they are meant.
#
#   cmake -DSOURCE_DIR=<Vantric> -DQT_PREFIX=<Qt for Windows> -DOUT=<folder> -P licenses.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var SOURCE_DIR QT_PREFIX OUT)
  if(NOT ${var})
    message(FATAL_ERROR "licenses.cmake: ${var} is not set")
  endif()
endforeach()

function(copy_text from to)
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "licenses.cmake: ${from} is missing")
  endif()
  file(READ "${from}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE "${OUT}/${to}" "${text}")
endfunction()

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/Qt" "${OUT}/MinGW")
copy_text("${SOURCE_DIR}/LICENSE" "LICENSE.txt")
copy_text("${QT_PREFIX}/licenses/LGPL-3.0-only.txt" "Qt/LGPL-3.0.txt")
copy_text("${QT_PREFIX}/licenses/GPL-3.0-only.txt" "Qt/GPL-3.0.txt")
copy_text("${QT_PREFIX}/licenses/debian-copyright" "Qt/copyright.txt")
file(STRINGS "${QT_PREFIX}/licenses/SOURCE" dsc LIMIT_COUNT 1)
file(STRINGS "${QT_PREFIX}/.vantric-stamp" stamp LIMIT_COUNT 1)
string(REGEX MATCH "^qt6-base ([^ ]+)" _ "${stamp}")
set(qt_version "${CMAKE_MATCH_1}")
string(REGEX MATCH "qt6-base_([^/]+)\\.dsc$" _ "${dsc}")
set(debian_version "${CMAKE_MATCH_1}")
# Qt's Chinese translation comes from the build machine's own package of it.
execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}"
                        qt6-translations-l10n
                OUTPUT_VARIABLE translations RESULT_VARIABLE failed)
if(failed OR NOT translations)
  message(FATAL_ERROR "licenses.cmake: qt6-translations-l10n is not installed")
endif()
string(REPLACE " " "=" translations_source "${translations}")
string(CONCAT source_text
  "Vantric uses Qt ${qt_version} (the modules Core, Gui, Widgets and PrintSupport, with their\r\n"
  "plugins) under the GNU Lesser General Public License version 3 (LGPL-3.0.txt, which builds\r\n"
  "on GPL-3.0.txt). The Qt libraries in this installation are shared libraries (Qt6*.dll and\r\n"
  "the plugin folders) and may be replaced by other builds of the same version.\r\n"
  "\r\n"
  "They were built without changes from Debian's source package qt6-base ${debian_version}:\r\n"
  "  ${dsc}\r\n"
  "The same source is had on Debian 12 with `apt-get source qt6-base=${debian_version}`, and\r\n"
  "Qt's own release of it at https://download.qt.io/archive/qt/ . The build script is\r\n"
  "tools/windows/build-qt.sh in Vantric's source. copyright.txt lists Qt's authors and the\r\n"
  "licences of the third-party code inside Qt.\r\n"
  "\r\n"
  "translations\\qtbase_zh_CN.qm, the Chinese of Qt's own dialogs, is Qt's translation as\r\n"
  "Debian's source package ${translations} ships it, under the GNU General Public License\r\n"
  "version 3 with The Qt Company's exception 1.0 (GPL-3.0.txt, translations-copyright.txt);\r\n"
  "`apt-get source ${translations_source}` fetches its source.\r\n")
file(WRITE "${OUT}/Qt/SOURCE.txt" "${source_text}")
copy_text("/usr/share/doc/qt6-translations-l10n/copyright" "Qt/translations-copyright.txt")
# libstdc++, libgcc (GPL-3.0 with the GCC Runtime Library Exception) and winpthreads.
copy_text("/usr/share/doc/gcc-mingw-w64-base/copyright" "MinGW/gcc-runtime.txt")
copy_text("/usr/share/doc/mingw-w64-common/copyright" "MinGW/mingw-w64.txt")
