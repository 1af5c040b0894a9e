# What an installation holds, and the Debian package made from it (CPack).
#
#   bin/zendraquil, bin/zendraquil-lex
#   share/zendraquil/          word.lst and the sample word sets, copied into
#                              each user's working folder on the first start
#   share/applications/        the desktop entry
#   share/metainfo/            the AppStream metadata
#   share/icons/hicolor/       the icon: scalable, and PNG from 16 to 256 pixels
#   share/man/man1/            both manual pages
#   share/doc/zendraquil/      LICENSE and NOTICE
#
# The build tree mirrors the data part (build/share/...), so the program run
# from build/bin finds its lexicon as an installed one does.
include(GNUInstallDirs)

set(ZQ_APP_ID net.tarnwick.Zendraquil)
set(ZQ_SHARE ${CMAKE_BINARY_DIR}/share)
file(GLOB ZQ_SAMPLE_SETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.wordset)

# word.lst, built from the ENABLE list and the curated entries.
add_custom_command(
  OUTPUT ${ZQ_SHARE}/zendraquil/word.lst
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZQ_SHARE}/zendraquil
  COMMAND ${CMAKE_COMMAND} -E rm -f ${ZQ_SHARE}/zendraquil/word.lst
          ${ZQ_SHARE}/zendraquil/word.lst.bak
  COMMAND sh ${CMAKE_SOURCE_DIR}/lexicon/build.sh -e ${ZQ_ENABLE_LIST}
          -o ${ZQ_SHARE}/zendraquil -t $<TARGET_FILE:zendraquil-lex>
  COMMAND ${CMAKE_COMMAND} -E copy ${ZQ_SAMPLE_SETS} ${ZQ_SHARE}/zendraquil
  DEPENDS zendraquil-lex ${CMAKE_SOURCE_DIR}/lexicon/build.sh
          ${CMAKE_SOURCE_DIR}/lexicon/entries.txt ${ZQ_ENABLE_LIST} ${ZQ_SAMPLE_SETS}
  COMMENT "Building the lexicon: share/zendraquil/word.lst"
  VERBATIM)
add_custom_target(wordlist ALL DEPENDS ${ZQ_SHARE}/zendraquil/word.lst)

# The icon's PNG sizes, drawn by the program's own artwork code.
set(ZQ_ICON_SIZES 16 22 24 32 48 64 128 256)
add_executable(zendraquil-icons resources/IconsMain.cpp)
target_link_libraries(zendraquil-icons PRIVATE zqgui)
set(ZQ_ICON_PNGS)
foreach(side ${ZQ_ICON_SIZES})
  list(APPEND ZQ_ICON_PNGS ${ZQ_SHARE}/icons/hicolor/${side}x${side}/apps/zendraquil.png)
endforeach()
add_custom_command(
  OUTPUT ${ZQ_ICON_PNGS}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:zendraquil-icons> ${ZQ_SHARE}/icons/hicolor
  DEPENDS zendraquil-icons
  COMMENT "Drawing the icon's PNG sizes"
  VERBATIM)

# Manual pages, compressed as Debian ships them.
set(ZQ_MAN_PAGES)
foreach(page zendraquil.1 zendraquil-lex.1)
  add_custom_command(
    OUTPUT ${ZQ_SHARE}/man/man1/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZQ_SHARE}/man/man1
    COMMAND sh -c "gzip -9n -c '${CMAKE_SOURCE_DIR}/docs/man/${page}' > '${ZQ_SHARE}/man/man1/${page}.gz'"
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/${page}
    VERBATIM)
  list(APPEND ZQ_MAN_PAGES ${ZQ_SHARE}/man/man1/${page}.gz)
endforeach()
add_custom_target(desktopdata ALL DEPENDS ${ZQ_ICON_PNGS} ${ZQ_MAN_PAGES})

install(TARGETS zendraquil zendraquil-lex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ZQ_SHARE}/zendraquil/word.lst ${ZQ_SAMPLE_SETS}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zendraquil)
install(FILES data/desktop/${ZQ_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/desktop/${ZQ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/icons/zendraquil.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(side ${ZQ_ICON_SIZES})
  install(FILES ${ZQ_SHARE}/icons/hicolor/${side}x${side}/apps/zendraquil.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps)
endforeach()
install(FILES ${ZQ_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES LICENSE NOTICE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zendraquil)

# The Debian package: zendraquil_VERSION_ARCH.deb. Its dependencies come from
# the programs' shared libraries (dpkg-shlibdeps), plus Qt's platform plugins,
# which Qt loads at run time and no library links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zendraquil)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarnwick Software")
set(CPACK_PACKAGE_CONTACT "Tarnwick Software <zendraquil@tarnwick.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "study tool for players of the tile word game")
set(CPACK_PACKAGE_DESCRIPTION
    "Zendraquil helps players of the tile word game learn words: a quiz that\n\
deals seven tiles, a Word Checker that judges words as they are typed, a\n\
Word Builder that finds every word a rack with blanks can make, word sets,\n\
statistics for each player and printed word lists. It ships a lexicon of\n\
172,823 words, with definitions for the short words and the likely bingos.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
