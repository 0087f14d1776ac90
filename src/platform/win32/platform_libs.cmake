# System libraries of the Win32 platform layer: kernel32 (files, profiles, loader, locale),
# user32 (clipboard, message boxes, input, help), gdi32 and comctl32 for the windows and
# dialogs built on this layer.
target_link_libraries(r7_platform PUBLIC user32 gdi32 comctl32 kernel32)
