# The Debian packages, built by `make package` (cpack -G DEB), one per install component:
# `brindle-cli`, the terminal's commands, which needs no Qt, and `brindle`, the window, which
# depends on it. Their dependencies are computed by dpkg-shlibdeps from what each executable
# links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brindle)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli window)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME brindle-cli)
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME brindle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Brindle developers")
set(CPACK_PACKAGE_CONTACT "The Brindle developers <hello@brindle.app>")
# Lines of at most 80 characters: dpkg shows them as they are.
string(JOIN "\n" _brindle_about
  "Brindle tells you which of the files you care about have no second copy. It"
  "walks the folders you would miss and sorts every file by where its copies"
  "live: only on this computer, on a backup drive as well, or changed since the"
  "last backup. It reads the backups of Back In Time, Timeshift, Déjà Dup,"
  "restic, borg, rsnapshot and rdiff-backup on a connected drive."
  ""
  "It only reads what the file system says about each file. It never opens,"
  "changes, moves or uploads a file, and it never goes online.")
# The first line is the synopsis (no CPACK_PACKAGE_DESCRIPTION_SUMMARY, which CPack would put
# before it), the rest the long description.
string(JOIN "\n" CPACK_DEBIAN_WINDOW_DESCRIPTION
  "see which of your files have no second copy"
  "${_brindle_about}"
  ""
  "This package is the window: the overview, the history, the printed report,"
  "the keep-watch notes and the tray item.")
string(JOIN "\n" CPACK_DEBIAN_CLI_DESCRIPTION
  "see which of your files have no second copy (terminal commands)"
  "${_brindle_about}"
  ""
  "This package is the brindle command for the terminal, which needs no display"
  "and no Qt: checks, scans, the backup drive, the history and the last answer.")
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
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "brindle-cli (= ${PROJECT_VERSION})")
# Without qt6-wayland Qt draws through XWayland on a Wayland desktop; without
# qt6-translations-l10n Qt's own dialogs and buttons stay English in every language.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
