# Writes the window's desktop entry and D-Bus activation file at install time, naming the window
# executable by its full installed path (the prefix may be given only now, as with
# `cmake --install --prefix`, or by CPack).
foreach(dir BRINDLE_LIBEXECDIR BRINDLE_DATADIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()
set(BRINDLE_EXECUTABLE "${BRINDLE_LIBEXECDIR}/brindle/brindle-window")
foreach(entry "dbus-1/services/${BRINDLE_APP_ID}.service" "applications/${BRINDLE_APP_ID}.desktop")
  get_filename_component(_name "${entry}" NAME)
  set(_path "${BRINDLE_DATADIR}/${entry}")
  message(STATUS "Installing: $ENV{DESTDIR}${_path}")
  # The desktop entry with its translations, as the build wrote them.
  set(_template "${BRINDLE_DIST_DIR}/${_name}.in")
  if(EXISTS "${BRINDLE_TRANSLATED_DIR}/${_name}.in")
    set(_template "${BRINDLE_TRANSLATED_DIR}/${_name}.in")
  endif()
  configure_file("${_template}" "$ENV{DESTDIR}${_path}" @ONLY)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${_path}")
endforeach()
