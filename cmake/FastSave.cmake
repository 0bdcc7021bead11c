# Save's fast path reads the editor's text straight from the document's buffer, through Qt's
# private Gui headers (src/app/EditorTextPieces.cpp). Those change between Qt versions without
# notice, so it is built only against the version it was tested with, and only where the
# headers are installed. Otherwise Save takes the text through public API, at the cost of one
# copy of it, to the same bytes.
#
# vantrel_fast_save carries the choice: the definition VANTREL_FAST_SAVE and the private
# headers, or nothing. VANTREL_PRETEND_NO_QT_PRIVATE makes the headers count as missing, for
# the build's own test of that case.
set(VANTREL_FAST_SAVE_QT 6.4 CACHE STRING
    "The Qt version (major.minor) whose private headers Save's fast path was tested with")
mark_as_advanced(VANTREL_FAST_SAVE_QT)
add_library(vantrel_fast_save INTERFACE)

function(vantrel_choose_fast_save)
    string(REGEX MATCH "^[0-9]+\\.[0-9]+" qt "${Qt6Gui_VERSION}")
    set(header NOTFOUND)
    if(TARGET Qt6::GuiPrivate AND NOT VANTREL_PRETEND_NO_QT_PRIVATE)
        get_target_property(dirs Qt6::GuiPrivate INTERFACE_INCLUDE_DIRECTORIES)
        find_file(header private/qtextdocument_p.h PATHS ${dirs} NO_DEFAULT_PATH NO_CACHE)
    endif()
    if(NOT VANTREL_FAST_SAVE)
        set(off "VANTREL_FAST_SAVE is OFF")
    elseif(NOT qt VERSION_EQUAL VANTREL_FAST_SAVE_QT)
        set(off "it was tested with Qt ${VANTREL_FAST_SAVE_QT}'s private headers, this is Qt ${Qt6Gui_VERSION}")
    elseif(NOT header)
        set(off "Qt's private Gui headers are missing (Debian: qt6-base-private-dev)")
    else()
        message(STATUS "Save's fast path: on, through Qt ${Qt6Gui_VERSION}'s private Gui headers")
        target_link_libraries(vantrel_fast_save INTERFACE Qt6::GuiPrivate)
        target_compile_definitions(vantrel_fast_save INTERFACE VANTREL_FAST_SAVE)
        return()
    endif()
    message(STATUS "Save's fast path: off, ${off}; Save reads the editor's text through public API")
endfunction()
vantrel_choose_fast_save()
