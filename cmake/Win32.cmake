# Windows-only targets: the Win32 platform layer, vesk.exe and the stand-in game.
enable_language(RC)

# Unicode entry points and W functions throughout; no MinGW runtime DLLs.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
set(VESK_WIN32_LINK_FLAGS -static -static-libgcc -static-libstdc++)

# The text codec lives with the Win32 code but serves the portable core.
target_sources(vesk_core PRIVATE ${CMAKE_SOURCE_DIR}/src/platform/win32/codec_win32.cpp)

file(GLOB VESK_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
list(REMOVE_ITEM VESK_WIN32_SOURCES ${CMAKE_SOURCE_DIR}/src/platform/win32/codec_win32.cpp)
add_library(vesk_platform_win32 STATIC ${VESK_WIN32_SOURCES})
target_link_libraries(vesk_platform_win32 PUBLIC vesk_core
  user32 gdi32 shell32 shlwapi ole32 oleaut32 uuid advapi32)

add_executable(vesk WIN32 src/main.cpp src/vesk.rc)
target_link_libraries(vesk PRIVATE vesk_platform_win32)
target_link_options(vesk PRIVATE -municode ${VESK_WIN32_LINK_FLAGS})
target_compile_definitions(vesk PRIVATE VESK_VERSION_TEXT="${PROJECT_VERSION}")

add_subdirectory(tools/standin-game)
add_subdirectory(bench/idle)
