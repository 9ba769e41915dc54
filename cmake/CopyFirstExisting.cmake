# cmake -DDEST=<file> -DCANDIDATES=<a|b|...> -P CopyFirstExisting.cmake
# Copies the first candidate that exists to DEST; does nothing when none does.
string(REPLACE "|" ";" candidates "${CANDIDATES}")
foreach(candidate IN LISTS candidates)
  if(EXISTS "${candidate}")
    file(COPY_FILE "${candidate}" "${DEST}" ONLY_IF_DIFFERENT)
    return()
  endif()
endforeach()
