# The Debian package, built by `make package` (cpack -G DEB). Its dependencies are computed
# by dpkg-shlibdeps from the libraries the executable links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brindle developers")
set(CPACK_PACKAGE_CONTACT "The Brindle developers <hello@brindle.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see which of your files have no second copy")
# Lines of at most 80 characters: dpkg shows them as they are.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Brindle tells you which of the files you care about have no second copy. It"
  "walks the folders you would miss and sorts every file by where its copies"
  "live: only on this computer, on a backup drive as well, or changed since the"
  "last backup. It reads the backups of Back In Time, Timeshift, Déjà Dup,"
  "restic, borg, rsnapshot and rdiff-backup on a connected drive."
  ""
  "It only reads what the file system says about each file. It never opens,"
  "changes, moves or uploads a file, and it never goes online.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Stripped as dh_strip does, the notes a package need not carry removed as well.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/StripExecutable.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://brindle.app/)
# Without it Qt draws through XWayland on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
