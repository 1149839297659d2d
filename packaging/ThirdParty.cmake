# Makes, from the list of third-party parts (third-party.json), what a
# distributor owes its users: the Debian copyright file, the notices of the
# Windows folder, and an SBOM in SPDX 2.3's JSON; or checks that a build uses
# no Debian package the list does not name.
#   cmake -DLIST=third-party.json -DWHAT=copyright|notices|spdx|check
#         -DPLATFORM=linux|windows -DOUTPUT=<file> [-DVERSION=<version>]
#         [-DCOMMIT=<hash>] [-DEPOCH=<seconds>] [-DPACKAGES=<a;b>] -P ThirdParty.cmake
# A part's version is the Debian version of the package its version (on
# Windows its windows-version, when it has one) names, as installed.
cmake_policy(VERSION 3.25)
file(READ ${LIST} list)
string(JSON part_count LENGTH "${list}" parts)
math(EXPR last_part "${part_count} - 1")

# member(VARIABLE JSON KEY...): the member, or empty where there is none.
function(member variable json)
  string(JSON value ERROR_VARIABLE missing GET "${json}" ${ARGN})
  if(missing)
    set(value "")
  endif()
  set(${variable} "${value}" PARENT_SCOPE)
endfunction()

# lines(VARIABLE JSON KEY...): a list of strings as lines, each after prefix.
function(lines variable prefix json)
  set(text "")
  string(JSON count ERROR_VARIABLE missing LENGTH "${json}" ${ARGN})
  if(NOT missing AND count GREATER 0)
    math(EXPR last "${count} - 1")
    foreach(i RANGE ${last})
      string(JSON line GET "${json}" ${ARGN} ${i})
      string(APPEND text "${prefix}${line}\n")
    endforeach()
  endif()
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# wrap(VARIABLE TEXT PREFIX): the text in lines of at most 79 characters, each
# after the prefix.
function(wrap variable text prefix)
  string(ASCII 31 mark)
  string(REPLACE ";" "${mark}" text "${text}")
  string(REGEX REPLACE "[ \n]+" ";" words "${text}")
  set(result "")
  set(line "${prefix}")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(length GREATER 79 AND NOT line STREQUAL prefix)
      string(APPEND result "${line}\n")
      set(line "${prefix}${word}")
    elseif(line STREQUAL prefix)
      set(line "${prefix}${word}")
    else()
      set(line "${line} ${word}")
    endif()
  endforeach()
  string(REPLACE "${mark}" ";" result "${result}${line}\n")
  set(${variable} "${result}" PARENT_SCOPE)
endfunction()

function(debian_version variable package)
  execute_process(COMMAND dpkg-query -W -f=\${Version} ${package} OUTPUT_VARIABLE version
                  RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR version STREQUAL "")
    message(FATAL_ERROR "${package}, whose version is a third-party part's, is not installed")
  endif()
  set(${variable} "${version}" PARENT_SCOPE)
endfunction()

# The parts that go with the programs on PLATFORM, in the list's order: for
# each, part_<i>_<field> of id, name, version, licence, spdx, how, copyright,
# source, homepage, download.
set(parts)
foreach(i RANGE ${last_part})
  string(JSON part GET "${list}" parts ${i})
  member(how "${part}" ${PLATFORM})
  if(how STREQUAL "")
    continue()
  endif()
  list(APPEND parts ${i})
  set(part_${i}_how "${how}")
  foreach(field id name copyright supplier spdx homepage download)
    member(part_${i}_${field} "${part}" ${field})
  endforeach()
  member(part_${i}_licence "${part}" debian-licence)
  member(part_${i}_source "${part}" source-package)
  member(package "${part}" ${PLATFORM}-version)
  if(package STREQUAL "")
    member(package "${part}" version)
  endif()
  debian_version(part_${i}_version ${package})
  lines(part_${i}_files "" "${part}" files)
  string(REPLACE "\n" ";" part_${i}_files "${part_${i}_files}")
  list(FILTER part_${i}_files EXCLUDE REGEX "^$")
  lines(part_${i}_packages "" "${part}" debian-packages)
endforeach()

# Every licence the parts name, each once, and the ones those build on.
set(licences)
foreach(i IN LISTS parts)
  list(APPEND licences "${part_${i}_licence}")
  member(needs "${list}" licences "${part_${i}_licence}" needs)
  if(needs)
    lines(needed "" "${list}" licences "${part_${i}_licence}" needs)
    string(REPLACE "\n" ";" needed "${needed}")
    list(APPEND licences ${needed})
  endif()
endforeach()
list(FILTER licences EXCLUDE REGEX "^$")
list(REMOVE_DUPLICATES licences)

if(WHAT STREQUAL "copyright")
  # Debian's machine-readable format: the files of this source tree are all
  # KAVEL's; what the programs carry of others is named in a comment, as it
  # comes from other Debian packages, and each licence has its paragraph.
  lines(terms " " "${list}" terms)
  set(comment "")
  foreach(i IN LISTS parts)
    wrap(entry "${part_${i}_name} ${part_${i}_version} (Debian's source package \
${part_${i}_source}), under ${part_${i}_licence}: ${part_${i}_how}. Copyright \
${part_${i}_copyright}" " ")
    string(APPEND comment "${entry} .\n")
  endforeach()
  set(text "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: kavel-setup
Upstream-Contact: KAVEL S.A. <info@kavel.example.com>
Source: https://www.kavel.example.com/

Files: *
Copyright: 2026 KAVEL S.A.
License: LicenseRef-proprietary
Comment: The programs are built with parts of others, from Debian's packages
 and under their own licences, which these terms leave as they are:
 .
${comment} Their licences follow, each in its own paragraph.

License: LicenseRef-proprietary
${terms}")
  foreach(licence IN LISTS licences)
    lines(body " " "${list}" licences "${licence}" text)
    string(APPEND text "\nLicense: ${licence}\n${body}")
  endforeach()
  file(WRITE ${OUTPUT} "${text}")

elseif(WHAT STREQUAL "notices")
  # The Windows folder's terms and notices, in Windows' line ends.
  lines(terms "  " "${list}" terms)
  string(REPLACE "  .\n" "\n" terms "${terms}")
  set(text "kavel-setup ${VERSION} for Windows: terms and third-party notices
==========================================================================

kavel-setup.exe and kavel-cli.exe: Copyright 2026 KAVEL S.A.

${terms}
The programs use, and this folder holds, the following parts of others,
each under its own licence (the texts are in the licenses folder):
")
  foreach(i IN LISTS parts)
    string(REPLACE ";" ", " files "${part_${i}_files}")
    wrap(entry "${part_${i}_how}. Copyright ${part_${i}_copyright}. Under ${part_${i}_spdx}. \
Source: Debian's source package ${part_${i}_source} ${part_${i}_version} \
(${part_${i}_download})." "  ")
    string(APPEND text "\n${part_${i}_name}, version ${part_${i}_version}\n${entry}")
    if(files)
      wrap(entry "Files: ${files}" "  ")
      string(APPEND text "${entry}")
    endif()
  endforeach()
  file(READ ${QT_SOURCE} offer)
  string(APPEND text "\n\n${offer}")
  string(REGEX REPLACE "\r?\n" "\r\n" text "${text}")
  file(WRITE ${OUTPUT} "${text}")

elseif(WHAT STREQUAL "spdx")
  # The SBOM: the programs' package, and each part as a package it contains,
  # with its exact version, licence and source; its time the commit's, its
  # namespace of this version and commit, so that two builds of one commit
  # give the same bytes.
  string(TIMESTAMP created "%Y-%m-%dT%H:%M:%SZ" UTC)
  set(document "{}")
  function(put)
    list(POP_BACK ARGN value)
    string(JSON document SET "${document}" ${ARGN} "${value}")
    set(document "${document}" PARENT_SCOPE)
  endfunction()
  put(spdxVersion "\"SPDX-2.3\"")
  put(dataLicense "\"CC0-1.0\"")
  put(SPDXID "\"SPDXRef-DOCUMENT\"")
  put(name "\"kavel-setup-${VERSION}-${PLATFORM}\"")
  put(documentNamespace "\"https://www.kavel.example.com/spdx/kavel-setup-${VERSION}-${PLATFORM}-${COMMIT}\"")
  put(creationInfo "{\"created\":\"${created}\",\"creators\":[\"Organization: KAVEL S.A.\",\"Tool: kavel-setup ThirdParty.cmake\"]}")
  put(hasExtractedLicensingInfos "[{\"licenseId\":\"LicenseRef-proprietary\",\"name\":\"KAVEL S.A.'s terms\",\"extractedText\":\"See /usr/share/doc/kavel-setup/copyright or licenses\\\\NOTICES.txt.\"}]")
  set(packages "{\"SPDXID\":\"SPDXRef-kavel-setup\",\"name\":\"kavel-setup\",\"versionInfo\":\"${VERSION}\",\"supplier\":\"Organization: KAVEL S.A.\",\"downloadLocation\":\"NOASSERTION\",\"filesAnalyzed\":false,\"licenseConcluded\":\"LicenseRef-proprietary\",\"licenseDeclared\":\"LicenseRef-proprietary\",\"copyrightText\":\"2026 KAVEL S.A.\",\"primaryPackagePurpose\":\"APPLICATION\"}")
  set(relationships "{\"spdxElementId\":\"SPDXRef-DOCUMENT\",\"relationshipType\":\"DESCRIBES\",\"relatedSpdxElement\":\"SPDXRef-kavel-setup\"}")
  foreach(i IN LISTS parts)
    set(id "SPDXRef-${part_${i}_id}")
    string(REPLACE "\"" "\\\"" how "${part_${i}_how}")
    string(APPEND packages ",{\"SPDXID\":\"${id}\",\"name\":\"${part_${i}_name}\",\"versionInfo\":\"${part_${i}_version}\",\"supplier\":\"Organization: ${part_${i}_supplier}\",\"downloadLocation\":\"${part_${i}_download}\",\"homepage\":\"${part_${i}_homepage}\",\"sourceInfo\":\"Debian's source package ${part_${i}_source} ${part_${i}_version}\",\"filesAnalyzed\":false,\"licenseConcluded\":\"${part_${i}_spdx}\",\"licenseDeclared\":\"${part_${i}_spdx}\",\"copyrightText\":\"${part_${i}_copyright}\",\"comment\":\"${how}\"}")
    string(APPEND relationships ",{\"spdxElementId\":\"SPDXRef-kavel-setup\",\"relationshipType\":\"CONTAINS\",\"relatedSpdxElement\":\"${id}\"}")
  endforeach()
  put(packages "[${packages}]")
  put(relationships "[${relationships}]")
  file(WRITE ${OUTPUT} "${document}\n")

elseif(WHAT STREQUAL "check")
  # PACKAGES: the Debian packages a build took files from. Each must be
  # named by a part, or be this program's own build tools.
  set(named)
  foreach(i IN LISTS parts)
    string(REPLACE "\n" ";" packages "${part_${i}_packages}")
    list(APPEND named ${packages})
  endforeach()
  set(unnamed)
  foreach(package IN LISTS PACKAGES)
    string(REGEX REPLACE ":.*" "" package "${package}")
    if(NOT package IN_LIST named)
      list(APPEND unnamed ${package})
    endif()
  endforeach()
  if(unnamed)
    message(FATAL_ERROR "built from Debian packages that no part of ${LIST} names: ${unnamed}")
  endif()
  message(STATUS "every Debian package the programs were built from is named in the list")
else()
  message(FATAL_ERROR "WHAT=${WHAT}?")
endif()
