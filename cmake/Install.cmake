# Installs the program as a desktop application: the binary, its desktop entry, AppStream
# metainfo and the MIME type of its script files, the icon in the hicolor sizes and as SVG,
# its manual page and its data folder. The programs, the data folder and the library folder
# go where cmake/Layout.cmake put them in the build tree: the programs find them by paths
# made there.
include(GNUInstallDirs)

install(TARGETS vantrel RUNTIME DESTINATION ${VANTREL_BIN_DIR} BUNDLE DESTINATION .)
# The programs that vantrel starts on Linux; elsewhere the console program of the commands.
install(TARGETS vantrel-cli RUNTIME DESTINATION ${VANTREL_PROGRAMS_DIR})
if(TARGET vantrel-window)
    install(TARGETS vantrel-window RUNTIME DESTINATION ${VANTREL_PROGRAMS_DIR})
endif()
install(FILES data/mime/${VANTREL_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
if(UNIX)
    # The manual page carries the version and the options, so the program's own table
    # makes it (src/cli).
    set(man_page ${PROJECT_BINARY_DIR}/share/man/man1/vantrel.1)
    set(man_template ${PROJECT_SOURCE_DIR}/data/vantrel.1.in)
    add_custom_command(OUTPUT ${man_page}
        COMMAND vantrel_manual_page ${man_template} ${man_page}
        DEPENDS vantrel_manual_page ${man_template}
        COMMENT "Writing the manual page")
    add_custom_target(vantrel_manual ALL DEPENDS ${man_page})
    install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
install(TARGETS vantrel_tutorial
    LIBRARY DESTINATION ${VANTREL_LIBRARY_DIR} RUNTIME DESTINATION ${VANTREL_LIBRARY_DIR})
install(FILES data/${VANTREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${VANTREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES data/icons/vantrel-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${VANTREL_APP_ID}.png)
endforeach()
install(FILES data/icons/vantrel.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${VANTREL_APP_ID}.svg)

# The tutorial video, made by scripts/record-tutorial.sh: copied into the build tree's data
# folder so the program finds it there too.
set(tutorial_source ${PROJECT_SOURCE_DIR}/data/tutorial/${VANTREL_TUTORIAL_VIDEO})
if(EXISTS ${tutorial_source})
    configure_file(${tutorial_source} ${PROJECT_BINARY_DIR}/${VANTREL_DATA_DIR}/${VANTREL_TUTORIAL_VIDEO} COPYONLY)
    install(FILES ${tutorial_source} DESTINATION ${VANTREL_DATA_DIR})
endif()
