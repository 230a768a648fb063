# Checks that the build keeps the layer's own workings inside platform/ (platform/layer_only.h).
#
#   cmake -DSOURCE_DIR=<top source folder> -DCXX=<compiler> -DFLAGS_FILE=<flags> -DWORK_DIR=<folder>
#         -P layer_only_headers.cmake
#
# FLAGS_FILE holds, one to a line, the preprocessor flags a library outside the layer is built with.
# 1. The headers whose contract begins "Inside the layer only" (or "Inside the drawing layer only")
#    are exactly those that carry the layer's mark.
# 2. Each of them, included by a file built with those flags, stops the build with the mark's error
#    and with no other (so the rest of the header would be read as usual).
# 3. No source outside platform/ names the mark's macro: only the build grants it.
cmake_minimum_required(VERSION 3.25)

set(mark "#include \"platform/layer_only.h\"")
set(failures "")

file(GLOB_RECURSE headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/platform/*.h)
list(FILTER headers EXCLUDE REGEX "^platform/testing/")
list(REMOVE_ITEM headers platform/layer_only.h)
set(layer_only "")
foreach(header ${headers})
  file(READ ${SOURCE_DIR}/${header} text)
  string(REGEX MATCH "^// Inside the (drawing )?layer only" said "${text}")
  string(FIND "${text}" "${mark}" at)
  if(said AND at EQUAL -1)
    string(APPEND failures "${header}: its contract says it is the layer's own, but it lacks the mark\n")
  elseif(NOT said AND NOT at EQUAL -1)
    string(APPEND failures "${header}: it carries the mark, but its contract does not say it is the layer's own\n")
  endif()
  if(said)
    list(APPEND layer_only ${header})
  endif()
endforeach()
if(NOT layer_only)
  string(APPEND failures "no header says it is the layer's own: the check has nothing to check\n")
endif()

file(STRINGS ${FLAGS_FILE} flags)
file(MAKE_DIRECTORY ${WORK_DIR})
foreach(header ${layer_only})
  string(MAKE_C_IDENTIFIER ${header} stem)
  set(source ${WORK_DIR}/${stem}.cpp)
  file(WRITE ${source} "#include \"${header}\"\n")
  execute_process(COMMAND ${CXX} ${flags} -E -o /dev/null ${source}
                  RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  string(REGEX MATCHALL "error:[^\n]*" found "${errors}")
  list(LENGTH found count)
  if(result EQUAL 0)
    string(APPEND failures "${header}: a file outside the layer includes it and builds\n")
  elseif(NOT count EQUAL 1 OR NOT found MATCHES "platform layer's own workings")
    string(APPEND failures "${header}: included outside the layer, it fails otherwise than by the mark:\n${errors}\n")
  endif()
endforeach()

# The top folders of the sources, but for the layer itself and build trees.
file(GLOB tops LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
set(sources "")
foreach(top ${tops})
  if(IS_DIRECTORY ${SOURCE_DIR}/${top} AND NOT top MATCHES "^(platform|\\..*)$"
     AND NOT EXISTS ${SOURCE_DIR}/${top}/CMakeCache.txt)
    file(GLOB_RECURSE found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${top}/*.h ${SOURCE_DIR}/${top}/*.cpp)
    list(APPEND sources ${found})
  endif()
endforeach()
foreach(source ${sources})
  file(STRINGS ${SOURCE_DIR}/${source} defines REGEX "QM_PLATFORM_LAYER")
  if(defines)
    string(APPEND failures "${source}: names QM_PLATFORM_LAYER; only the build grants the layer's mark\n")
  endif()
endforeach()

list(LENGTH layer_only checked)
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${checked} headers of the layer's own refuse code outside it")
