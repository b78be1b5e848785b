# Install layout and the Debian package.
#
# The programs look for the help page and the templates in their own folder,
# so all three live together in a private folder, and the command names in
# bin/ are relative links into it: Qt resolves /proc/self/exe, so a program
# started through a link still finds its files.

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(SONDREL_INSTALL_APPDIR "lib/sondrel")
set(SONDREL_INSTALL_DOCDIR "share/doc/sondrel")
set(SONDREL_PACKAGING_DIR "${CMAKE_SOURCE_DIR}/packaging")
set(SONDREL_PACKAGING_BINARY_DIR "${CMAKE_BINARY_DIR}/packaging")

set(sondrel_programs)
foreach(program sondrel sondrel-convert)
  if(TARGET ${program})
    list(APPEND sondrel_programs ${program})
  endif()
endforeach()

if(sondrel_programs)
  install(TARGETS ${sondrel_programs} RUNTIME DESTINATION "${SONDREL_INSTALL_APPDIR}")
endif()
install(FILES sondrel.htm DESTINATION "${SONDREL_INSTALL_APPDIR}")
install(DIRECTORY templates/ DESTINATION "${SONDREL_INSTALL_APPDIR}/templates")

# Made now and copied as links by the install step, which keeps them relative
# wherever the prefix is (Debian wants them relative inside /usr).
file(MAKE_DIRECTORY "${SONDREL_PACKAGING_BINARY_DIR}/bin")
foreach(program IN LISTS sondrel_programs)
  file(CREATE_LINK "../${SONDREL_INSTALL_APPDIR}/${program}"
    "${SONDREL_PACKAGING_BINARY_DIR}/bin/${program}" SYMBOLIC)
  install(FILES "${SONDREL_PACKAGING_BINARY_DIR}/bin/${program}" DESTINATION bin)
endforeach()

if(TARGET sondrel)
  install(FILES "${SONDREL_PACKAGING_DIR}/sondrel.desktop" DESTINATION share/applications)
  install(FILES "${SONDREL_PACKAGING_DIR}/sondrel.svg" DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES "${SONDREL_PACKAGING_DIR}/io.github.sondrel.Sondrel.metainfo.xml" DESTINATION share/metainfo)
endif()

install(FILES docs/project-json.md docs/project-json.schema.json DESTINATION "${SONDREL_INSTALL_DOCDIR}")
install(FILES "${SONDREL_PACKAGING_DIR}/copyright" DESTINATION "${SONDREL_INSTALL_DOCDIR}")

# Debian wants the changelog compressed with gzip -9n: without the name and
# the time stamp, so that the same changelog always makes the same bytes.
find_program(SONDREL_GZIP gzip)
if(SONDREL_GZIP)
  set(changelog "${SONDREL_PACKAGING_BINARY_DIR}/changelog.Debian")
  add_custom_command(OUTPUT "${changelog}.gz"
    COMMAND ${CMAKE_COMMAND} -E copy "${SONDREL_PACKAGING_DIR}/changelog" "${changelog}"
    COMMAND ${SONDREL_GZIP} -9nf "${changelog}"
    DEPENDS "${SONDREL_PACKAGING_DIR}/changelog"
    COMMENT "Compressing the Debian changelog")
  add_custom_target(sondrel_changelog ALL DEPENDS "${changelog}.gz")
  install(FILES "${changelog}.gz" DESTINATION "${SONDREL_INSTALL_DOCDIR}")

  set(man_pages)
  if(TARGET sondrel)
    set(page "${SONDREL_PACKAGING_BINARY_DIR}/man/sondrel.1")
    add_custom_command(OUTPUT "${page}.gz"
      COMMAND ${CMAKE_COMMAND} -E copy "${SONDREL_PACKAGING_DIR}/sondrel.1" "${page}"
      COMMAND ${SONDREL_GZIP} -9nf "${page}"
      DEPENDS "${SONDREL_PACKAGING_DIR}/sondrel.1")
    list(APPEND man_pages "${page}.gz")
  endif()
  # The converter's manual page is made from its --help, so that it never
  # lists other options than the program has.
  find_program(SONDREL_HELP2MAN help2man)
  if(TARGET sondrel-convert AND SONDREL_HELP2MAN)
    set(page "${SONDREL_PACKAGING_BINARY_DIR}/man/sondrel-convert.1")
    add_custom_command(OUTPUT "${page}.gz"
      COMMAND ${SONDREL_HELP2MAN} --no-info --section=1 --source=Sondrel
        "--name=convert REAPER projects into HTML, PDF or JSON documents"
        "--output=${page}" $<TARGET_FILE:sondrel-convert>
      COMMAND ${SONDREL_GZIP} -9nf "${page}"
      DEPENDS sondrel-convert
      COMMENT "Writing the manual page of sondrel-convert")
    list(APPEND man_pages "${page}.gz")
  endif()
  if(man_pages)
    add_custom_target(sondrel_man_pages ALL DEPENDS ${man_pages})
    install(FILES ${man_pages} DESTINATION share/man/man1)
  endif()
endif()

install(FILES "${SONDREL_PACKAGING_DIR}/lintian-overrides" DESTINATION share/lintian/overrides RENAME sondrel)

# The Debian package: make package, or cpack -G DEB in the build folder.
set(SONDREL_PACKAGE_MAINTAINER "Sondrel developers <sondrel@users.noreply.github.com>"
  CACHE STRING "Maintainer field of the Debian package")
set(SONDREL_HOMEPAGE "https://github.com/sondrel/sondrel" CACHE STRING "Homepage field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sondrel)
set(CPACK_PACKAGE_VENDOR "Sondrel developers")
set(CPACK_PACKAGE_CONTACT "${SONDREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turns REAPER projects into printable session documents")
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack
# escapes for XML (an apostrophe would reach the control file as &apos;).
file(READ "${SONDREL_PACKAGING_DIR}/description.txt" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${SONDREL_PACKAGING_DIR}/description.txt")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME sondrel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The version of this packaging of the release: it also makes the package
# non-native, as its changelog.Debian.gz says.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SONDREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${SONDREL_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# What the libraries load at run time, which dpkg-shlibdeps cannot see: the
# browser engine's helper process, without which no document is shown or
# printed, and the SVG plug-ins that draw the window and menu icon.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, libqt6svg6")
# Without it a Wayland session still shows the window, through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build/" "/build-[^/]*/" "\\.user$")

include(CPack)
