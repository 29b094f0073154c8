# cmake -DFOLDER=<folder> -P FreshFolder.cmake: makes <folder> anew, empty.
if(NOT FOLDER)
  message(FATAL_ERROR "FreshFolder.cmake: give -DFOLDER=<folder>")
endif()
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
