# Compile options shared by every target of ours (not by GoogleTest or libjpeg).

option(TARNOVA_SANITIZE "Native build: compile with ASan and UBSan" OFF)

function(tarnova_target_options target)
  # The sources are UTF-8; the program's texts are GBK bytes at run time
  # (ANSI code page 936).
  if(MSVC)
    target_compile_options(${target} PRIVATE /source-charset:utf-8 /execution-charset:.936 /W4)
  else()
    target_compile_options(${target} PRIVATE
      -finput-charset=UTF-8 -fexec-charset=GBK
      -Wall -Wextra -Wno-unknown-pragmas)
  endif()
  if(WIN32)
    # ANSI Win32 API only; Windows 7 headers.
    target_compile_definitions(${target} PRIVATE
      WINVER=0x0601 _WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
  endif()
  if(TARNOVA_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()
