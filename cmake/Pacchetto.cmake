# Installing and packaging: the program directory (executable, sound and speech modules, lista.txt, jpg/,
# suoni/) under lib/cartavia, a bin/ link that starts it, the menu entry, the icon, the
# AppStream metadata, the changelog and manual page, and the Debian package. On Windows, the version record and icon of the executable.

set(CARTAVIA_ID "org.example.cartavia")
set(CARTAVIA_PACCHETTO "${CMAKE_SOURCE_DIR}/packaging")

# "1.00" gives 1,0,0,0 for the Windows version record.
math(EXPR _minore "${PROJECT_VERSION_MINOR}")
set(CARTAVIA_VERSIONE_VIRGOLE "${PROJECT_VERSION_MAJOR},${_minore},0,0")

# Written on every system, so the tests can read it; only a Windows build compiles it.
set(CARTAVIA_ICONA_WINDOWS "${CARTAVIA_PACCHETTO}/windows/cartavia.ico")
configure_file("${CARTAVIA_PACCHETTO}/windows/cartavia.rc.in"
               "${CMAKE_BINARY_DIR}/cartavia.rc" @ONLY)
if(WIN32)
    target_sources(cartavia PRIVATE "${CMAKE_BINARY_DIR}/cartavia.rc")
    set_target_properties(cartavia PROPERTIES WIN32_EXECUTABLE ON)
endif()

# The program directory.
install(TARGETS cartavia RUNTIME DESTINATION "${CARTAVIA_INSTALL_DIR}")
# The sound module is looked for beside the executable.
install(TARGETS cartavia_suoni LIBRARY DESTINATION "${CARTAVIA_INSTALL_DIR}")
# So is the reader of texts aloud, where it is built.
if(TARGET cartavia_voce)
    install(TARGETS cartavia_voce LIBRARY DESTINATION "${CARTAVIA_INSTALL_DIR}")
endif()
install(FILES data/lista.txt DESTINATION "${CARTAVIA_INSTALL_DIR}")
install(DIRECTORY data/jpg data/suoni DESTINATION "${CARTAVIA_INSTALL_DIR}")

if(NOT WIN32)
    # bin/cartavia: a relative link, so the tree can move and DESTDIR needs no care. The
    # program finds its data through the link's target (/proc/self/exe).
    set(_collegamento [[
        set(_bin "@CMAKE_INSTALL_BINDIR@")
        set(_programma "@CARTAVIA_INSTALL_DIR@/cartavia")
        foreach(_percorso _bin _programma)
            if(NOT IS_ABSOLUTE "${${_percorso}}")
                set(${_percorso} "${CMAKE_INSTALL_PREFIX}/${${_percorso}}")
            endif()
        endforeach()
        file(RELATIVE_PATH _relativo "${_bin}" "${_programma}")
        file(MAKE_DIRECTORY "$ENV{DESTDIR}${_bin}")
        file(REMOVE "$ENV{DESTDIR}${_bin}/cartavia")
        file(CREATE_LINK "${_relativo}" "$ENV{DESTDIR}${_bin}/cartavia" SYMBOLIC)
        message(STATUS "Installing: $ENV{DESTDIR}${_bin}/cartavia -> ${_relativo}")
    ]])
    string(CONFIGURE "${_collegamento}" _collegamento @ONLY)
    install(CODE "${_collegamento}")

    # The menu entry, its icon and what software centres read.
    install(FILES "${CARTAVIA_PACCHETTO}/${CARTAVIA_ID}.desktop"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
    install(FILES "${CMAKE_SOURCE_DIR}/resources/icone/stop.svg"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
            RENAME "${CARTAVIA_ID}.svg")
    install(FILES "${CARTAVIA_PACCHETTO}/${CARTAVIA_ID}.metainfo.xml"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
    install(FILES "${CARTAVIA_PACCHETTO}/copyright"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/cartavia")

    # The changelog and the manual page, compressed as Debian wants them: gzip -9n, so that
    # the same sources give the same bytes (no name, no time stamp in the header).
    find_program(GZIP_PROGRAM gzip REQUIRED)
    set(_compressi)
    foreach(_file changelog cartavia.6)
        add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/${_file}.gz"
            COMMAND "${GZIP_PROGRAM}" -9n -c "${CARTAVIA_PACCHETTO}/${_file}"
                    > "${CMAKE_BINARY_DIR}/${_file}.gz"
            DEPENDS "${CARTAVIA_PACCHETTO}/${_file}"
            COMMENT "Compressing ${_file}")
        list(APPEND _compressi "${CMAKE_BINARY_DIR}/${_file}.gz")
    endforeach()
    add_custom_target(cartavia_documenti ALL DEPENDS ${_compressi})
    install(FILES "${CMAKE_BINARY_DIR}/changelog.gz"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/cartavia")
    install(FILES "${CMAKE_BINARY_DIR}/cartavia.6.gz"
            DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
    # lintian's notes on the package, each with the reason it stays.
    install(FILES "${CARTAVIA_PACCHETTO}/lintian-overrides"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME cartavia)
endif()

# Debian package: cpack -G DEB (from the build folder).
set(CPACK_PACKAGE_NAME "cartavia")
set(CPACK_PACKAGE_VENDOR "Cartavia")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Cartavia <info@cartavia.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Impara i segnali stradali italiani")
# Folded by hand: every line of the control file stays within 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Cartavia è un programma didattico con cui un alunno impara i 144 segnali"
    "stradali italiani: abbinare segnale e definizione, definire il segnale,"
    "riconoscere il segnale e un gioco di tessere con i segnali.")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://cartavia.example.org/")
set(CPACK_STRIP_FILES ON)
if(NOT CPACK_GENERATOR)
    set(CPACK_GENERATOR "DEB")
endif()

set(CPACK_DEBIAN_PACKAGE_NAME "cartavia")
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Cartavia <info@cartavia.example.org>")
# The libraries come from dpkg-shlibdeps, which reads the executable and the sound module (so
# PulseAudio's client library is among them); what the program loads without linking it comes from these:
# the SVG icon engine that draws every icon and the Arial metrics of the layout (Liberation
# Sans). The icon engine is a Qt plugin whose package differs by release (libqt6svg6 on
# Debian 12, qt6-svg-plugins from 13): the package that holds it here is named.
set(_motore_svg "qt6-svg-plugins")
find_program(DPKG_QUERY_PROGRAM dpkg-query)
if(DPKG_QUERY_PROGRAM)
    execute_process(COMMAND "${DPKG_QUERY_PROGRAM}" -S "*/qt6/plugins/iconengines/libqsvgicon.so"
                    OUTPUT_VARIABLE _proprietario ERROR_QUIET RESULT_VARIABLE _esito)
    if(_esito EQUAL 0 AND _proprietario MATCHES "^([^:, ]+)")
        set(_motore_svg "${CMAKE_MATCH_1}")
    endif()
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_motore_svg}, fonts-liberation")
# Reading aloud needs speech-dispatcher and a speech engine;
# without them the program reads nothing aloud and works on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, speech-dispatcher, speech-dispatcher-espeak-ng")
# CPack makes postinst and postrm call ldconfig whenever a shared object lies one folder below
# usr/lib. The sound module is loaded by its path and is no library of the system, so the
# calls are pointless; CPack has no switch for them, so the package is built again without.
set(CPACK_POST_BUILD_SCRIPTS "${CARTAVIA_PACCHETTO}/senza_ldconfig.cmake")

include(CPack)
