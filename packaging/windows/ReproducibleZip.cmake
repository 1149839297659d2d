# Packs FOLDER (its name kept) into ZIP in the same bytes from every build of
# one commit: the files in the order of their names, each dated
# SOURCE_DATE_EPOCH, nothing else of theirs kept; and dates every file of the
# folder so too, for the installer that packs them after.
#   cmake -E env SOURCE_DATE_EPOCH=<seconds> cmake -DFOLDER=<folder> -DZIP=<zip> -P ReproducibleZip.cmake
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set")
endif()
get_filename_component(parent ${FOLDER} DIRECTORY)
# string(TIMESTAMP) takes SOURCE_DATE_EPOCH for the time.
string(TIMESTAMP touch_when "%Y%m%d%H%M.%S" UTC)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${parent} ${FOLDER}/*)
list(SORT files)
list(JOIN files "\n" listing)
file(WRITE ${ZIP}.files "${listing}\n")
execute_process(COMMAND env TZ=UTC touch -h -t ${touch_when} ${files} WORKING_DIRECTORY ${parent}
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${ZIP})
# Info-ZIP's zip without the extra fields (-X), whose inode change time no
# build can fix; the files' times as DOS keeps them, in UTC.
execute_process(COMMAND env TZ=UTC zip -X -D -q -9 ${ZIP} -@ INPUT_FILE ${ZIP}.files
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${ZIP}.files)
