# Compiles an IDL file with widl into a type library, a header and the
# identifiers' definitions, all in the current binary directory.
#   vorn_widl(<name> <idl file> [DEPENDS <tlb files imported>...])
# sets <name>_TLB, <name>_HEADER and <name>_IIDS in the caller's scope.
find_program(WIDL ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-widl REQUIRED)
find_program(PERL perl REQUIRED)
set(VORN_PLATFORM_IDL_DIR /usr/include/wine/wine/windows)
set(VORN_STDOLE_DIR /usr/lib/i386-linux-gnu/wine/i386-windows)
set(VORN_HOST_IDL_DIR ${CMAKE_SOURCE_DIR}/host/idl)
set(VORN_HOST_TLB_DIR ${CMAKE_BINARY_DIR}/host/idl)

function(vorn_widl name idl)
    cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
    get_filename_component(idl_abs ${idl} ABSOLUTE)
    get_filename_component(idl_dir ${idl_abs} DIRECTORY)
    set(out ${CMAKE_CURRENT_BINARY_DIR})
    set(flags -I${idl_dir} -I${VORN_HOST_IDL_DIR} -I${VORN_PLATFORM_IDL_DIR}
              -L${VORN_STDOLE_DIR} -L${VORN_HOST_TLB_DIR} -L${out})
    add_custom_command(
        OUTPUT ${out}/${name}.tlb ${out}/${name}.h ${out}/${name}_i.c
        COMMAND ${WIDL} ${flags} -t -o ${out}/${name}.tlb ${idl_abs}
        COMMAND ${PERL} ${CMAKE_SOURCE_DIR}/scripts/pin-typelib-time.pl ${out}/${name}.tlb
        COMMAND ${WIDL} ${flags} -h -o ${out}/${name}.h ${idl_abs}
        COMMAND ${WIDL} ${flags} -u -o ${out}/${name}_i.c ${idl_abs}
        DEPENDS ${idl_abs} ${ARG_DEPENDS} ${CMAKE_SOURCE_DIR}/scripts/pin-typelib-time.pl
        COMMENT "widl ${name}.idl"
        VERBATIM)
    set(${name}_TLB ${out}/${name}.tlb PARENT_SCOPE)
    set(${name}_HEADER ${out}/${name}.h PARENT_SCOPE)
    set(${name}_IIDS ${out}/${name}_i.c PARENT_SCOPE)
endfunction()
