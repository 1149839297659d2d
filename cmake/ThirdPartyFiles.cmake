# What is made from the list of third-party parts (packaging/third-party.json)
# by packaging/ThirdParty.cmake, at build time.
#   kavel_third_party_file(OUTPUT WHAT PLATFORM [DEPENDS file...] [ARGS -Dname=value...])
# The commit built and its time (SOURCE_DATE_EPOCH where the build is given
# one, else the commit's) name and date the SBOM, so that two builds of one
# commit give the same bytes.
set(KAVEL_THIRD_PARTY_LIST ${PROJECT_SOURCE_DIR}/packaging/third-party.json)
set(KAVEL_THIRD_PARTY_SCRIPT ${PROJECT_SOURCE_DIR}/packaging/ThirdParty.cmake)
execute_process(COMMAND git rev-parse HEAD WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                OUTPUT_VARIABLE KAVEL_COMMIT OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(KAVEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE KAVEL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET)
endif()
if(NOT KAVEL_COMMIT)
  set(KAVEL_COMMIT unknown)
endif()
if(NOT KAVEL_SOURCE_DATE_EPOCH)
  set(KAVEL_SOURCE_DATE_EPOCH 0)
endif()

function(kavel_third_party_file output what platform)
  cmake_parse_arguments(PARSE_ARGV 3 arg "" "" "DEPENDS;ARGS")
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${KAVEL_SOURCE_DATE_EPOCH}
            ${CMAKE_COMMAND} -DLIST=${KAVEL_THIRD_PARTY_LIST} -DWHAT=${what} -DPLATFORM=${platform}
            -DOUTPUT=${output} -DVERSION=${PROJECT_VERSION} -DCOMMIT=${KAVEL_COMMIT} ${arg_ARGS}
            -P ${KAVEL_THIRD_PARTY_SCRIPT}
    DEPENDS ${KAVEL_THIRD_PARTY_LIST} ${KAVEL_THIRD_PARTY_SCRIPT} ${arg_DEPENDS}
    COMMENT "Making ${output} from the list of third-party parts"
    VERBATIM)
endfunction()
