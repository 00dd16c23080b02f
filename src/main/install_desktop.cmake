# Writes the menu entry for the prefix being installed to and installs it.
set(launcher "${QUANDEL_BINDIR}/quandel")
if(NOT IS_ABSOLUTE "${launcher}")
  set(launcher "${CMAKE_INSTALL_PREFIX}/${launcher}")
endif()
# Exec takes the path quoted: backslash, double quote, backquote and dollar get a backslash;
# then every backslash is doubled again, as in any string value, and % is doubled.
string(REGEX REPLACE "([\\\"`$])" "\\\\\\1" launcher "${launcher}")
string(REPLACE "\\" "\\\\" launcher "${launcher}")
string(REPLACE "%" "%%" launcher "${launcher}")
set(QUANDEL_DESKTOP_EXEC "\"${launcher}\"")
configure_file("${QUANDEL_DESKTOP_TEMPLATE}" "${QUANDEL_DESKTOP_FILE}" @ONLY)

set(applications "${QUANDEL_APPLICATIONS_DIR}")
if(NOT IS_ABSOLUTE "${applications}")
  set(applications "${CMAKE_INSTALL_PREFIX}/${applications}")
endif()
file(INSTALL "${QUANDEL_DESKTOP_FILE}" DESTINATION "${applications}")
