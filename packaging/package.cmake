# The Debian package (`make package`, or the target "package" of a build folder): everything
# `cmake --install` lays out, below /usr.  The libraries the programs link are found by
# dpkg-shlibdeps; what they load at run time without linking is named here: the IPA fonts the
# reports and windows use, Qt's Japanese translations (はい/いいえ/キャンセル), and Qt's SVG
# plugins for the tool tray's pictures.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keiro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package's own revision (keiro_1.0.0-1): the first packaging of the program's version; its
# entry in packaging/changelog carries the same number.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "Keiro developers")
set(CPACK_PACKAGE_CONTACT "Keiro developers <dev@keiro.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "payroll and year-end adjustment for small Japanese offices")
# The long description as plain paragraphs: CPack puts the summary above it, indents every line
# and turns the empty lines into Debian's paragraph marks.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Keiro works out monthly pay and bonuses for up to 100 employees: overtime,
social insurance premiums, withholding income tax from the national tables,
resident tax and net pay, and prints pay slips, ledgers, monthly lists,
transfer lists and denomination tables, on paper or to PDF.

KeiroLG does the year-end adjustment from Keiro's year file and prints the
withholding slips (源泉徴収票), refund notices and payment reports.

keiro-tool gives the same libraries a command line for checks and scripts.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Keiro developers <dev@keiro.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n, libqt6svg6")
# The browser that opens the manual is started through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
