@echo off
rem Brings back files that a virus has hidden: clears the hidden, system and
rem read-only attributes of every file and folder on the drive the user names.
set /p drive=Drive yang akan dipulihkan (contoh C): 
if "%drive%"=="" goto :eof
echo Memulihkan file di %drive%: ...
attrib -h -s -r %drive%:\*.* /s /d
echo Selesai.
pause
