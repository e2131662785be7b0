# Run by CPack on its staging folder before packing: manual pages and the changelog
# compressed the way Debian installs them (gzip -9, no name or time stamp in the header).
file(GLOB_RECURSE docs
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/velmora/changelog")
foreach(doc IN LISTS docs)
  if(NOT doc MATCHES "\\.gz$")
    execute_process(COMMAND gzip -9nf "${doc}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "gzip ${doc} failed")
    endif()
  endif()
endforeach()
