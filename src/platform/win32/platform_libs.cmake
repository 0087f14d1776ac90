# System libraries of the Win32 platform layer: kernel32 (files, profiles, loader, locale,
# processes), user32 (windows, dialogs, clipboard, message boxes, input, help), gdi32 and
# comctl32 (painting, list views), comdlg32 (file-open) and shell32 with ole32 (folder
# choice).
target_link_libraries(r7_platform PUBLIC user32 gdi32 comctl32 comdlg32 shell32 ole32 kernel32)
