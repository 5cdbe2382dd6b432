# Lays out the program folder: the data files the program reads, the default settings files
# and an empty shared log. Settings files and the log are written by the program and are never
# replaced once there (a settings file counts whatever the case of its name). The voice prompts
# stay out: the program plays "Dupe" from there even with voice navigation off, on a sound device
# that may key the transmitter, so only the operator puts them in.
cmake_policy(SET CMP0057 NEW)
file(MAKE_DIRECTORY ${DST})
file(GLOB files LIST_DIRECTORIES false ${SRC}/*.txt)
file(COPY ${files} DESTINATION ${DST})
file(GLOB present RELATIVE ${DST} LIST_DIRECTORIES false ${DST}/*)
string(TOLOWER "${present}" present)
file(GLOB defaults ${SRC}/defaults/*)
foreach(f ${defaults})
  get_filename_component(name ${f} NAME)
  string(TOLOWER ${name} lower)
  if(NOT lower IN_LIST present)
    file(COPY ${f} DESTINATION ${DST})
  endif()
endforeach()
if(NOT EXISTS ${DST}/OrvexLog.MDB)
  execute_process(COMMAND ${MAKELOG} ${DST}/OrvexLog.MDB RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Could not create the empty log ${DST}/OrvexLog.MDB")
  endif()
endif()
