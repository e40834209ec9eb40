# Each library of the program sees the headers of the libraries it links and
# no others: a library's headers are reached through a folder of its own in the
# build tree that holds only a link to its sources (build/cabeceras/calc/calc ->
# src/calc). A window group links the core and the platform alone, so an
# #include "calc/..." in the shell fails to compile instead of tying the groups
# together behind the registry's back.
function(korgas_cabeceras objetivo grupo)
  set(raiz ${CMAKE_BINARY_DIR}/cabeceras/${grupo})
  if(NOT EXISTS ${raiz}/${grupo})
    file(MAKE_DIRECTORY ${raiz})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${grupo} ${raiz}/${grupo} SYMBOLIC)
  endif()
  target_include_directories(${objetivo} PUBLIC ${raiz})
endfunction()

# Tests of the rule: a file built with the shell's flags compiles with a header
# of its own group and fails, for want of the file, with one of the gas
# editor's group.
function(korgas_prueba_capas)
  foreach(caso "propia;shell/registro.h" "ajena;gasdb/registro.h")
    list(GET caso 0 nombre)
    list(GET caso 1 cabecera)
    add_library(capas_${nombre} OBJECT EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/capas/cruce.cpp)
    target_link_libraries(capas_${nombre} PRIVATE korgas_shell)
    target_compile_definitions(capas_${nombre} PRIVATE CABECERA="${cabecera}")
    add_test(NAME capas_${nombre}
             COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target capas_${nombre})
  endforeach()
  set_tests_properties(capas_ajena PROPERTIES PASS_REGULAR_EXPRESSION
                       "gasdb/registro.h: No such file or directory")
endfunction()
