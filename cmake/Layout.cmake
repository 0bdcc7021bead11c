# Where the programs, the data folder and the library folder lie. The programs find one
# another and their files by paths from their own folder, made here from the install
# layout, so a distribution may put each folder where it wants and the tree still works
# wherever it is installed. The build tree puts every folder where the install does under
# its prefix, so the same paths hold there.
include(GNUInstallDirs)

# A folder relative to the prefix; one outside it could not be mirrored in the build tree.
function(vantrel_under_prefix out full_dir)
    file(RELATIVE_PATH dir ${CMAKE_INSTALL_PREFIX} ${full_dir})
    if(dir MATCHES "^\\.\\.(/|$)")
        message(FATAL_ERROR "${full_dir} lies outside the install prefix ${CMAKE_INSTALL_PREFIX}: "
            "Vantrel's programs find their files by paths from their own folder")
    endif()
    set(${out} ${dir} PARENT_SCOPE)
endfunction()

vantrel_under_prefix(VANTREL_BIN_DIR ${CMAKE_INSTALL_FULL_BINDIR})
vantrel_under_prefix(VANTREL_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/vantrel)
vantrel_under_prefix(VANTREL_LIBRARY_DIR ${CMAKE_INSTALL_FULL_LIBDIR}/vantrel)
# On Linux, vantrel is a launcher of the window program and the command-line program, which
# lie in the libexec folder (src/CMakeLists.txt says why); elsewhere the window program is
# vantrel itself.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    vantrel_under_prefix(VANTREL_PROGRAMS_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR})
else()
    set(VANTREL_PROGRAMS_DIR ${VANTREL_BIN_DIR})
endif()

# The paths the programs follow, from their own folder.
set(prefix ${CMAKE_INSTALL_PREFIX})
file(RELATIVE_PATH VANTREL_PROGRAMS_FROM_BIN
    ${prefix}/${VANTREL_BIN_DIR} ${prefix}/${VANTREL_PROGRAMS_DIR})
file(RELATIVE_PATH VANTREL_DATA_FROM_PROGRAMS
    ${prefix}/${VANTREL_PROGRAMS_DIR} ${prefix}/${VANTREL_DATA_DIR})
file(RELATIVE_PATH VANTREL_LIBRARY_FROM_PROGRAMS
    ${prefix}/${VANTREL_PROGRAMS_DIR} ${prefix}/${VANTREL_LIBRARY_DIR})
unset(prefix)
