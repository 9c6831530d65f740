# Installation. The programs, the help pages, the launcher's index and the
# examples live together in one program folder, because the programs look
# for documentacion/ and index.html beside their own executable; bin/ holds
# links into that folder, so the programs are on the PATH.
#
#   <prefix>/lib/vortena/{vortena,vortena-calc,principal,vortena-nsga2.so,index.html,LICENSE,
#                         documentacion/,examples/}
#   <prefix>/bin/{vortena,vortena-calc,principal} -> ../lib/vortena/...
#   <prefix>/share/applications, share/icons/hicolor, share/mime/packages

set(VORTENA_CARPETA_PROGRAMA "lib/vortena" CACHE STRING
    "Program folder under the install prefix (programs, help pages, index, examples)")

# The build tree keeps the same neighbourhood: the launcher finds its index
# beside it there too.
if(TARGET vortena_docs)
  add_custom_command(TARGET vortena_docs POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${CMAKE_SOURCE_DIR}/index.html ${CMAKE_BINARY_DIR}/index.html
    # "Abrir ejemplo" lists the examples/ folder beside the program.
    COMMAND ${CMAKE_COMMAND} -E copy_directory
            ${CMAKE_SOURCE_DIR}/examples ${CMAKE_BINARY_DIR}/examples)
endif()

set(_vortena_programas vortena-calc)
if(TARGET vortena)
  list(APPEND _vortena_programas vortena principal)
endif()
install(TARGETS ${_vortena_programas} RUNTIME DESTINATION ${VORTENA_CARPETA_PROGRAMA})
# The NSGA-II module, loaded on demand from the programs' own folder.
install(TARGETS vt_nsga2 LIBRARY DESTINATION ${VORTENA_CARPETA_PROGRAMA})

install(DIRECTORY ${CMAKE_SOURCE_DIR}/documentacion/
        DESTINATION ${VORTENA_CARPETA_PROGRAMA}/documentacion)
install(FILES ${CMAKE_SOURCE_DIR}/index.html ${CMAKE_SOURCE_DIR}/LICENSE
        DESTINATION ${VORTENA_CARPETA_PROGRAMA})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/
        DESTINATION ${VORTENA_CARPETA_PROGRAMA}/examples
        FILES_MATCHING PATTERN "*.vtq")

# bin/ entries: relative links, so the installed tree can be moved as a whole.
file(RELATIVE_PATH _vortena_desde_bin "/raiz/bin" "/raiz/${VORTENA_CARPETA_PROGRAMA}")
foreach(programa IN LISTS _vortena_programas)
  install(CODE "
    set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${_bin}\")
    file(REMOVE \"\${_bin}/${programa}\")
    file(CREATE_LINK \"${_vortena_desde_bin}/${programa}\" \"\${_bin}/${programa}\" SYMBOLIC)
    message(STATUS \"Installing: \${_bin}/${programa} -> ${_vortena_desde_bin}/${programa}\")
  ")
endforeach()

if(TARGET vortena)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/vortena.desktop
                ${CMAKE_SOURCE_DIR}/packaging/vortena-principal.desktop
          DESTINATION share/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/vortena.svg
          DESTINATION share/icons/hicolor/scalable/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/application-x-vortena-red.svg
          DESTINATION share/icons/hicolor/scalable/mimetypes)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/vortena-red.xml
          DESTINATION share/mime/packages)
  # Refresh the desktop's MIME database when installing straight into the
  # prefix (packagers using DESTDIR run it from their own scripts).
  install(CODE "
    find_program(_actualizar_mime update-mime-database)
    if(_actualizar_mime AND \"\$ENV{DESTDIR}\" STREQUAL \"\")
      execute_process(COMMAND \${_actualizar_mime} \"\${CMAKE_INSTALL_PREFIX}/share/mime\"
                      OUTPUT_QUIET ERROR_QUIET)
    endif()
  ")
endif()
