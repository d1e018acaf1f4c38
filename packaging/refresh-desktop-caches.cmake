# Runs at the end of an install. A prefix of one's own (~/.local, /usr/local) has no package
# manager to refresh the caches that make the layout file type known to the desktop and let the
# menu entry open it; a staged install (DESTDIR, as for the Debian package) leaves that to the
# triggers of the packages that own the caches.
if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()
set(share "${TOBIRAE_INSTALL_DATADIR}")
if(NOT IS_ABSOLUTE "${share}")
    set(share "${CMAKE_INSTALL_PREFIX}/${share}")
endif()
foreach(refresh "update-mime-database|mime" "update-desktop-database|applications")
    string(REPLACE "|" ";" refresh "${refresh}")
    list(GET refresh 0 program)
    list(GET refresh 1 folder)
    find_program(tool ${program})
    if(tool)
        message(STATUS "Refreshing: ${share}/${folder}")
        execute_process(COMMAND ${tool} "${share}/${folder}" RESULT_VARIABLE failed)
        if(failed)
            message(WARNING "${program} ${share}/${folder} failed: run it again to open layout "
                            "files from the desktop")
        endif()
    else()
        message(STATUS "${program} not found: ${share}/${folder} not refreshed")
    endif()
    unset(tool CACHE)
    unset(tool)
endforeach()
