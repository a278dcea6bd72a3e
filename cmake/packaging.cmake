# The release zip (cpack -G ZIP, target "package"): Tarvello.exe, Tarvello.chm and LIESMICH.txt at the top,
# the partner stand-ins in "Testpartner". Targets still missing from the tree are left out, not fatal.
set(TARVELLO_PARTNER_FOLDER Testpartner)

if(TARGET Tarvello)
    install(TARGETS Tarvello RUNTIME DESTINATION .)
endif()
install(FILES ${CMAKE_BINARY_DIR}/bin/Tarvello.chm DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/help/LIESMICH.txt DESTINATION .)

foreach(standin DXView ContestLogger standin-ctl)
    if(TARGET ${standin})
        install(TARGETS ${standin} RUNTIME DESTINATION ${TARVELLO_PARTNER_FOLDER})
    endif()
endforeach()
# The DLL goes in as a file: install(TARGETS) would also ship its import library.
if(TARGET BearingSource)
    install(FILES $<TARGET_FILE:BearingSource> DESTINATION ${TARVELLO_PARTNER_FOLDER})
endif()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvello)
set(CPACK_PACKAGE_VENDOR Tarvello)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rotorsteuerung aus dem Contest-Logger")
set(CPACK_PACKAGE_FILE_NAME Tarvello-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

# The zip must hold exactly the release files; the check builds a package of its own in the test's folder.
if(TARGET Tarvello AND TARGET DXView AND TARGET ContestLogger AND TARGET standin-ctl AND TARGET BearingSource)
    add_test(NAME release_package
             COMMAND ${PROJECT_SOURCE_DIR}/cmake/check-package.sh ${CMAKE_BINARY_DIR} ${CMAKE_CPACK_COMMAND})
endif()
