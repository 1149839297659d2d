# The LGPL's offer of Qt's source with the DLLs: the Debian source package the
# Qt for Windows was built from (./scripts/windows-qt keeps it in the Qt's
# folder, source/), published beside the zip and the installer, and the text
# that names its files, their checksums, how the DLLs are rebuilt from them,
# that the user may replace them, and KAVEL's written offer of the same
# source, which holds for a copy handed on without the downloads.
#   kavel_qt_source_offer(QT_DIR REASON_VARIABLE)
# Sets KAVEL_QT_SOURCE_FILES (the files), KAVEL_QT_SOURCE_LISTING (a line
# each: name and SHA-256) and writes QT-SOURCE.txt and the toolchain file
# Qt was configured with in the current binary folder; or, where the Qt
# cannot make the offer, sets REASON_VARIABLE to why.
set(KAVEL_SOURCE_URL "https://www.kavel.example.com/download/kavel-setup/${PROJECT_VERSION}/source/"
    CACHE STRING "Where Qt's source is published beside the zip and the installer")

# KAVEL's postal address as the About box gives it: its name, street and town.
function(kavel_postal_address variable)
  set(ui ${PROJECT_SOURCE_DIR}/src/ui/fmInfo_.ui)
  file(READ ${ui} text)
  set(lines)
  foreach(label st3 st5 st6)
    string(FIND "${text}" "name=\"${label}\"" at)
    string(SUBSTRING "${text}" ${at} -1 rest)
    if(at LESS 0 OR NOT rest MATCHES "<string[^>]*>([^<]*)</string>")
      message(FATAL_ERROR "no ${label} in ${ui}: the address of the offer of Qt's source")
    endif()
    list(APPEND lines "${CMAKE_MATCH_1}")
  endforeach()
  list(JOIN lines ", " address)
  set(${variable} "${address}" PARENT_SCOPE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ui})
endfunction()

function(kavel_qt_source_offer qt reason_variable)
  set(marker ${qt}/kavel-qt-configuration.txt)
  if(NOT EXISTS ${marker})
    set(${reason_variable} "the Qt in ${qt} was not built by ./scripts/windows-qt (it has no \
kavel-qt-configuration.txt), so nothing says which source and configuration its DLLs come \
from" PARENT_SCOPE)
    return()
  endif()
  file(STRINGS ${marker} version_line REGEX "^Debian source package: qt6-base ")
  string(REGEX REPLACE "^Debian source package: qt6-base ([^ ]+).*" "\\1" version "${version_line}")
  # The files of that source package, by name: its .dsc, and the upstream
  # tarball and Debian's changes it names (an epoch is not in file names).
  string(REGEX REPLACE "^[0-9]+:" "" file_version "${version}")
  string(REGEX REPLACE "-[^-]+$" "" upstream "${file_version}")
  set(files)
  foreach(name qt6-base_${file_version}.dsc qt6-base_${upstream}.orig.tar.xz
               qt6-base_${file_version}.debian.tar.xz)
    if(NOT EXISTS ${qt}/source/${name})
      set(${reason_variable} "${name}, of the Debian source package Qt was built from, is not \
in ${qt}/source (Debian's archive no longer serves it: see ./scripts/windows-qt's message)" PARENT_SCOPE)
      return()
    endif()
    list(APPEND files ${qt}/source/${name})
  endforeach()
  kavel_postal_address(address)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${marker} ${files})

  # The configuration as the marker records it: the options one a line, then
  # the toolchain file, indented by two blanks.
  file(STRINGS ${marker} lines)
  set(options)
  set(toolchain)
  set(part head)
  foreach(line IN LISTS lines)
    if(line MATCHES "^Configured with")
      set(part options)
    elseif(line MATCHES "^Toolchain file:")
      set(part toolchain)
    elseif(part STREQUAL "options" AND line MATCHES "^  (.+)$")
      string(APPEND options " ${CMAKE_MATCH_1}")
    elseif(part STREQUAL "toolchain" AND line MATCHES "^  ?(.*)$")
      string(APPEND toolchain "${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^Debian source package: qt6-base ([^ ]+)")
      set(version ${CMAKE_MATCH_1})
    endif()
  endforeach()
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/qt-mingw-w64-x86_64.cmake "${toolchain}")

  set(listing)
  foreach(file IN LISTS files)
    file(SHA256 ${file} sum)
    get_filename_component(name ${file} NAME)
    string(APPEND listing "  ${name}\n    SHA-256 ${sum}\n")
  endforeach()
  list(APPEND files ${CMAKE_CURRENT_BINARY_DIR}/qt-mingw-w64-x86_64.cmake)
  set(KAVEL_QT_SOURCE_FILES ${files} PARENT_SCOPE)
  set(KAVEL_QT_SOURCE_LISTING "${listing}" PARENT_SCOPE)
  file(READ ${marker} configuration)
  # Written as it stands (the toolchain's own ${...} kept), in Windows' line
  # ends.
  set(text "Qt's source, offered with its DLLs
==================================

Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms\\qwindows.dll and
styles\\qwindowsvistastyle.dll are Qt 6 (its qtbase module) under the GNU
Lesser General Public License version 3 (LGPL-3.0-only.txt in this folder,
with the GPL-3.0 it builds on). They were built, unchanged but for Debian's
own patches, from Debian's source package qt6-base ${version}. Its files
are published with every copy of this program's zip and installer, in the
same place, in the folder \"source\" beside them:

${listing}
with qt-mingw-w64-x86_64.cmake, the CMake toolchain file they were configured
with. Each .dsc names the checksums of the other two files of its package.
They are also at ${KAVEL_SOURCE_URL}

Written offer: for three years from the last time KAVEL S.A. ships this
version of the programs, and for as long as it gives spare parts or
support for it, KAVEL S.A. will give anyone, whether they received the
programs or not, the complete source named above (the same files, and the
toolchain file), on a medium customarily used for software interchange,
for a charge no more than the cost of the medium and of sending it, or by
download at no charge. Write, naming kavel-setup ${PROJECT_VERSION} and
Qt ${version}, to:

  ${address}
  info@kavel.example.com

You may replace Qt's DLLs with your own build, changed or not, of the same
Qt version: the programs load them from their own folder. To rebuild them
on Debian 12, with qt6-base-dev, qt6-base-dev-tools (the same version),
g++-mingw-w64-x86-64-posix, cmake and ninja-build installed:

  dpkg-source -x qt6-base_${version}.dsc qt6-base
  cmake -S qt6-base -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=qt-mingw-w64-x86_64.cmake -DCMAKE_INSTALL_PREFIX=qt${options}
  cmake --build build
  cmake --install build

then copy qt\\bin\\Qt6Core.dll, Qt6Gui.dll and Qt6Widgets.dll over the ones
beside kavel-setup.exe, qt\\plugins\\platforms\\qwindows.dll into its
platforms folder and qt\\plugins\\styles\\qwindowsvistastyle.dll into its
styles folder.

The build, as recorded when it was made:

${configuration}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/QT-SOURCE.txt "${text}")
endfunction()
