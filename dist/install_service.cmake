# Run at install time (by `cmake --install` and by cpack): writes the host's systemd unit for
# the prefix in use and its options file, where GNUInstallDirs would put /etc for that prefix.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(sysconfdir "/etc")
else()
  set(sysconfdir "${CMAKE_INSTALL_PREFIX}/etc")
endif()
set(QUINTREL_SERVER_PROGRAM "${CMAKE_INSTALL_PREFIX}/${QUINTREL_BINDIR}/quintrel-server")
set(QUINTREL_SERVER_DEFAULTS "${sysconfdir}/default/quintrel-server")
configure_file("${QUINTREL_DIST_SOURCE}/quintrel-server.service.in"
               "${QUINTREL_DIST_BINARY}/quintrel-server.service" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/lib/systemd/system" TYPE FILE
     FILES "${QUINTREL_DIST_BINARY}/quintrel-server.service")
file(INSTALL DESTINATION "${sysconfdir}/default" TYPE FILE
     FILES "${QUINTREL_DIST_SOURCE}/quintrel-server.default" RENAME quintrel-server)
