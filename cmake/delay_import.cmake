# poko_delay_import(TARGET DLL CALL@ARGBYTES...)
#
# TARGET loads DLL on its first call into it instead of at process start, where every
# DLL costs start-up its load. The calls are listed with their i686 stdcall names (the
# x86_64 names drop the "@ARGBYTES"); a delay-import library is made from them with
# dlltool, and a call into DLL that is not listed fails to link, so none slips back into
# the start-up imports. MinGW's __delayLoadHelper2 does the loading.
#
# Each call's thunk (the code its import slot first points to, which has the helper
# load the DLL) is named to the linker as a symbol that must stay: the program refers
# only to the slot, and --gc-sections would otherwise drop the i686 thunks and leave
# their slots zero, so that the first call jumps to address 0.
function(poko_delay_import target dll)
  get_filename_component(base ${dll} NAME_WE)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/delayed)
  set(def ${dir}/${base}.def)
  set(lib ${dir}/lib${base}_delayed.a)
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  foreach(call IN LISTS ARGN)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_link_options(${target} PRIVATE "LINKER:-u,_${call}")  # stdcall: _Name@N
    else()
      string(REGEX REPLACE "@[0-9]+$" "" call ${call})
      target_link_options(${target} PRIVATE "LINKER:-u,${call}")
    endif()
    string(APPEND text "${call}\n")
  endforeach()
  file(GENERATE OUTPUT ${def} CONTENT "${text}")
  set(plain_names "")
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(plain_names -k)  # linked by the decorated name, imported by the plain one
  endif()
  # Run where the library goes: dlltool names its members after the output path.
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} ${plain_names} -d ${base}.def -y lib${base}_delayed.a
    WORKING_DIRECTORY ${dir} DEPENDS ${def} VERBATIM)
  add_custom_target(${target}_delayed_${base} DEPENDS ${lib})
  add_dependencies(${target} ${target}_delayed_${base})
  target_link_libraries(${target} PRIVATE ${lib})
endfunction()
