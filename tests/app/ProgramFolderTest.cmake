# The build lays out the program folder on every build: a fresh folder gets the data files, the
# default settings and an empty log, and no voice prompts (the operator copies those in); a folder
# in use keeps the operator's settings and log, whatever the case of their names, and gets the
# newer data files.
# Run with -DSCRIPT=<tools/program_folder.cmake> -DSRC=<data> -DMAKELOG=<make_empty_log> -DWORK=<dir>.
cmake_minimum_required(VERSION 3.25)

function(expect_content file expected)
  file(READ ${file} actual)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${file} holds \"${actual}\", expected \"${expected}\"")
  endif()
endfunction()

function(lay_out dst)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDST=${dst} -DMAKELOG=${MAKELOG} -P ${SCRIPT}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "laying out ${dst} failed")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})

# A fresh folder.
set(fresh ${WORK}/fresh)
lay_out(${fresh})
foreach(name orvexfnt.txt wave2.txt CW.txt OrvexLog.MDB orvexhlp.txt arrlpre2.txt ADIFCnt.txt)
  if(NOT EXISTS ${fresh}/${name})
    message(FATAL_ERROR "a fresh program folder lacks ${name}")
  endif()
endforeach()
file(GLOB prompts ${fresh}/*.[wW][aA][vV])
if(prompts)
  message(FATAL_ERROR "the build put wave files into the program folder: ${prompts}")
endif()

# A folder in use: the operator's settings (one of them spelled in other case) and log stay.
set(used ${WORK}/used)
file(MAKE_DIRECTORY ${used})
file(WRITE ${used}/OrvexFnt.TXT "mine")
file(WRITE ${used}/wave2.txt "my voice keyer")
file(WRITE ${used}/OrvexLog.MDB "my log")
file(WRITE ${used}/orvexhlp.txt "old help")
lay_out(${used})
expect_content(${used}/OrvexFnt.TXT "mine")
expect_content(${used}/wave2.txt "my voice keyer")
expect_content(${used}/OrvexLog.MDB "my log")
if(EXISTS ${used}/orvexfnt.txt)
  file(GLOB settings ${used}/[oO][rR][vV][eE][xX][fF][nN][tT].[tT][xX][tT])
  list(LENGTH settings count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "a second preferences file was made beside the operator's: ${settings}")
  endif()
endif()
if(NOT EXISTS ${used}/CW.txt)
  message(FATAL_ERROR "a missing settings file was not supplied")
endif()
file(READ ${SRC}/orvexhlp.txt help)
expect_content(${used}/orvexhlp.txt "${help}")
file(REMOVE_RECURSE ${WORK})
