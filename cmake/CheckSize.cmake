# cmake -DFILE=path -DLIMIT=bytes -P CheckSize.cmake
# Fails when FILE is larger than LIMIT bytes; prints the size either way.
file(SIZE "${FILE}" size)
if(size GREATER LIMIT)
  message(FATAL_ERROR "${FILE} is ${size} bytes, more than the limit of ${LIMIT}")
endif()
message(STATUS "${FILE}: ${size} bytes (limit ${LIMIT})")
