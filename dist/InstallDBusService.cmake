# Writes the D-Bus activation file at install time, naming the window executable by its full
# installed path (the prefix may be given only now, as with `cmake --install --prefix`).
foreach(dir BRINDLE_LIBEXECDIR BRINDLE_DATADIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()
set(BRINDLE_EXECUTABLE "${BRINDLE_LIBEXECDIR}/brindle/brindle-window")
set(_service "${BRINDLE_DATADIR}/dbus-1/services/${BRINDLE_SERVICE_NAME}")
message(STATUS "Installing: $ENV{DESTDIR}${_service}")
configure_file("${BRINDLE_SERVICE_TEMPLATE}" "$ENV{DESTDIR}${_service}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_service}")
