# Checks that PROGRAM is a Windows console program for MACHINE (i386 or
# x86-64) that imports only KERNEL32.dll and msvcrt.dll and may be loaded at
# any address with its data not executable (DYNAMIC_BASE, NX_COMPAT), as
# objdump (OBJDUMP) reports it.
execute_process(COMMAND ${OBJDUMP} -f -p ${PROGRAM}
                OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]*" imports "${dump}")
list(SORT imports CASE INSENSITIVE)
set(want "DLL Name: KERNEL32.dll;DLL Name: msvcrt.dll")
if(NOT imports STREQUAL want)
  message(FATAL_ERROR "imports are [${imports}], want [${want}]")
endif()

if(MACHINE STREQUAL "x86-64")
  set(architecture "i386:x86-64")
else()
  set(architecture "i386")
endif()
foreach(line "file format pei-${MACHINE}\n" "architecture: ${architecture},"
             "Subsystem[ \t]+00000003[ \t]+\\(Windows CUI\\)"
             "\tDYNAMIC_BASE\n" "\tNX_COMPAT\n")
  if(NOT dump MATCHES "${line}")
    message(FATAL_ERROR "objdump shows no '${line}'")
  endif()
endforeach()
message(STATUS "${PROGRAM}: ${MACHINE} console program, DYNAMIC_BASE and "
               "NX_COMPAT, importing ${imports}")
