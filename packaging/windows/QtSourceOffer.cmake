# The LGPL's offer of Qt's source with the DLLs: the Debian source package the
# Qt for Windows was built from, and the one Qt's own Polish (qtbase_pl.qm)
# was made from (./scripts/windows-qt keeps both in the Qt's folder, source/),
# published beside the zip and the installer, and the text
# that names its files, their checksums, how the DLLs are rebuilt from them
# and that the user may replace them.
#   kavel_qt_source_offer(QT_DIR REASON_VARIABLE)
# Sets KAVEL_QT_SOURCE_FILES (the files), KAVEL_QT_SOURCE_LISTING (a line
# each: name and SHA-256) and writes QT-SOURCE.txt and the toolchain file
# Qt was configured with in the current binary folder; or, where the Qt
# cannot make the offer, sets REASON_VARIABLE to why.
function(kavel_qt_source_offer qt reason_variable)
  set(marker ${qt}/kavel-qt-configuration.txt)
  file(GLOB files ${qt}/source/qt6-base_*)
  file(GLOB translation_files ${qt}/source/qt6-translations_*)
  if(NOT EXISTS ${marker})
    set(${reason_variable} "the Qt in ${qt} was not built by ./scripts/windows-qt (it has no \
kavel-qt-configuration.txt), so nothing says which source and configuration its DLLs come \
from" PARENT_SCOPE)
    return()
  endif()
  list(FILTER files INCLUDE REGEX "\\.(dsc|orig\\.tar\\.xz|debian\\.tar\\.xz)$")
  list(FILTER translation_files INCLUDE REGEX "\\.(dsc|orig\\.tar\\.xz|debian\\.tar\\.xz)$")
  list(LENGTH files count)
  list(LENGTH translation_files translation_count)
  if(NOT count EQUAL 3)
    set(${reason_variable} "the Debian source package Qt was built from is not in \
${qt}/source (Debian's archive no longer serves it: see ./scripts/windows-qt's message)" PARENT_SCOPE)
    return()
  endif()
  # Qt's own Polish goes with its source where the archive served it; where
  # it did not, the build says so, for whoever publishes the zip to add it.
  if(translation_count EQUAL 3)
    string(REGEX MATCH "qt6-translations_([^/]+)\\.dsc" ignored "${translation_files}")
    set(translations_text "translations\\qtbase_pl.qm, Qt's own texts in Polish, was made from
Debian's source package qt6-translations ${CMAKE_MATCH_1} (the
qt6-translations files above), under the same licences.")
    list(APPEND files ${translation_files})
  else()
    message(WARNING "The source of Qt's own Polish (Debian's qt6-translations, whose \
qtbase_pl.qm the zip carries) is not in ${qt}/source: the archive did not serve it (see \
./scripts/windows-qt's message). Publish it beside the zip by hand.")
    set(translations_text "translations\\qtbase_pl.qm, Qt's own texts in Polish, comes from
Debian's package qt6-translations-l10n, under the same licences; ask KAVEL
S.A. for its source.")
  endif()
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
If you received the program without them, ask KAVEL S.A.
<info@kavel.example.com> for them.

${translations_text}

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
