# Fails when a file of a layer includes a header by a relative path that
# leaves its folder; such an include would reach past the layer's include
# paths. Called with FILES (the layer's sources and headers) and STAMP.
set(bad "")
foreach(f IN LISTS FILES)
  if(f STREQUAL "")
    continue()
  endif()
  file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\./")
  foreach(line IN LISTS lines)
    string(APPEND bad "${f}: ${line}\n")
  endforeach()
endforeach()
if(bad)
  message(FATAL_ERROR "Includes leaving their layer's folder:\n${bad}")
endif()
file(TOUCH "${STAMP}")
