# Inspects the built DLL without running it, so that the 32-bit product is checked even where the
# kernel cannot run it: its format is FORMAT (objdump's name: pei-i386 for the product), it exports
# exactly getPluginVersion and initializePlugin, undecorated, and it imports only from DLLs that
# every Windows has: a runtime DLL of the compiler would stop the modeller from loading it.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
set(findings "")

string(REGEX MATCH "file format ([^\n]+)" _ "${dump}")
if(NOT CMAKE_MATCH_1 STREQUAL FORMAT)
  list(APPEND findings "its format is '${CMAKE_MATCH_1}', not ${FORMAT}")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n(([ \t]+\\[[ 0-9]+\\][^\n]*\n)*)" table "${dump}")
string(REGEX REPLACE "[ \t]+\\[[ 0-9]+\\] ([^\n]+)\n" "\\1;" names "${CMAKE_MATCH_1}")
list(REMOVE_ITEM names "")
list(SORT names)
if(NOT names STREQUAL "getPluginVersion;initializePlugin")
  list(JOIN names ", " exported)
  list(APPEND findings "it exports '${exported}', not getPluginVersion and initializePlugin")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
string(REPLACE "DLL Name: " "" imports "${imports}")
foreach(dll IN LISTS imports)
  string(TOLOWER "${dll}" lower)
  if(NOT lower MATCHES "^(kernel32|user32|gdi32|opengl32|msvcrt|advapi32|usp10)\\.dll$")
    list(APPEND findings "it imports from ${dll}, which is no system DLL")
  endif()
endforeach()

if(findings)
  list(JOIN findings "\n  " text)
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
message(STATUS "${FORMAT}; exports ${names}; imports ${imports}")
