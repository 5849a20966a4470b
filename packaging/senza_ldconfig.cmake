# Run by cpack once the packages are made (CPACK_POST_BUILD_SCRIPTS). CPack gives the Debian
# package a postinst and a postrm that only call ldconfig, because the sound module is a shared
# object below usr/lib; the module is no library of the system, so the calls are pointless.
# This takes the two scripts out and builds the package again. A script that does anything
# else stops the build: it would be a script somebody meant to ship.
find_program(DPKG_DEB dpkg-deb REQUIRED)
foreach(_pacchetto IN LISTS CPACK_PACKAGE_FILES)
    if(NOT _pacchetto MATCHES "\\.deb$")
        continue()
    endif()
    set(_radice "${_pacchetto}.contenuto")
    file(REMOVE_RECURSE "${_radice}")
    execute_process(COMMAND "${DPKG_DEB}" --raw-extract "${_pacchetto}" "${_radice}"
                    COMMAND_ERROR_IS_FATAL ANY)
    set(_tolti 0)
    foreach(_script postinst postrm)
        set(_file "${_radice}/DEBIAN/${_script}")
        if(NOT EXISTS "${_file}")
            continue()
        endif()
        file(READ "${_file}" _testo)
        # What is left once the shell line, set -e, the test of the argument and ldconfig go.
        string(REGEX REPLACE "#![^\n]*|set -e|if \\[[^\n]*\\]; then|ldconfig|fi|[ \t\n]" ""
               _resto "${_testo}")
        if(NOT _resto STREQUAL "")
            message(FATAL_ERROR "${_script} does more than call ldconfig:\n${_testo}")
        endif()
        file(REMOVE "${_file}")
        math(EXPR _tolti "${_tolti} + 1")
    endforeach()
    if(_tolti GREATER 0)
        execute_process(COMMAND "${DPKG_DEB}" --root-owner-group --build "${_radice}" "${_pacchetto}"
                        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    endif()
    file(REMOVE_RECURSE "${_radice}")
endforeach()
