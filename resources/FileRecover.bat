@echo off
rem Tarvex Antivirus - Pengembalian File
rem
rem Brings back the files and folders that a virus has hidden on a drive or in
rem a folder (usually a USB stick): clears the hidden, system and read-only
rem attributes of everything inside it, at every depth, through
rem "tarvex-scan.exe --unhide" beside this file. Nothing is deleted, moved or
rem renamed, and no other attribute changes; desktop.ini, thumbs.db and a
rem drive's own System Volume Information and recycle bin keep theirs. A
rem folder whose name is only blanks, where a worm moved the user's files, is
rem named with the number of files in it: moving them back is the user's.
rem
rem   FileRecover.bat            asks for the drive or folder
rem   FileRecover.bat E:         works on the given drive or folder
rem
rem The root of the Windows drive, the Windows folder and the system's other
rem own folders are refused, however they are spelled: clearing the system
rem attribute of the files there would harm Windows itself.
rem Exit code: 0 done, 1 refused, 2 nothing chosen or not found.
setlocal EnableExtensions DisableDelayedExpansion

echo Tarvex Antivirus - Pengembalian File
echo.

set "target=%~1"
set "interactive="
if defined target goto :have_target
set "interactive=1"
echo Masukkan drive atau folder yang file-filenya disembunyikan virus,
set /p "target=misalnya E: atau E:\Data : "
:have_target
if defined target set "target=%target:"=%"
if not defined target (
  echo Tidak ada drive atau folder yang dipilih. Tidak ada yang diubah.
  set "rc=2"
  goto :end
)

rem The long-path forms (\\?\C:\, \\?\UNC\host\share) are no folder to the
rem command interpreter's own tests: tarvex-scan resolves them itself.
if "%target:~0,4%"=="\\?\" goto :as_given
if "%target:~0,4%"=="\\.\" goto :as_given

rem "E" and "E:" both mean the root of drive E.
if "%target:~1%"=="" set "target=%target%:"
if "%target:~2%"=="" if "%target:~1,1%"==":" set "target=%target%\"
for %%I in ("%target%") do set "folder=%%~fI"
if not "%folder:~-1%"=="\" set "folder=%folder%\"

set "attrs="
for %%I in ("%folder%") do set "attrs=%%~aI"
if not "%attrs:~0,1%"=="d" (
  echo Drive atau folder "%folder%" tidak ditemukan. Tidak ada yang diubah.
  set "rc=2"
  goto :end
)

rem Without the last backslash: "E:\" would end the argument in \", which a
rem program reads as a quote. tarvex-scan takes "E:" as the drive's root.
set "argument=%folder:~0,-1%"
goto :unhide

:as_given
set "folder=%target%"
set "argument=%target%"
if "%argument:~-1%"=="\" set "argument=%argument:~0,-1%"

:unhide
rem The work is tarvex-scan.exe's, beside this file: it follows links,
rem junctions, subst drives, short names and the \\?\ forms to the folder
rem the path really names, refuses the Windows drive's root, the Windows
rem folder, Program Files, ProgramData, the Users folder and each profile's
rem own folder, and administrative shares, and only then clears the
rem attributes. Its report gives the two counts shown below.
set "scanner=%~dp0tarvex-scan.exe"
if not exist "%scanner%" (
  echo tarvex-scan.exe tidak ditemukan di samping FileRecover.bat. Tidak ada yang diubah.
  set "rc=2"
  goto :end
)
set "report=%TEMP%\tarvex-unhide-%RANDOM%%RANDOM%.txt"
"%scanner%" --unhide "%argument%" >"%report%"
set "result=%errorlevel%"
set "shown=0"
set "after=0"
for /f "usebackq tokens=1,* delims=:" %%A in ("%report%") do (
  if "%%A"=="brought back" set /a "shown=%%B"
  if "%%A"=="could not change" set /a "after=%%B"
)
rem A folder whose name is only blanks holds the files a worm moved away:
rem "blank-named folder: N files in ...", one line for each such folder.
set "blanks=0"
set "blankfiles=0"
for /f "usebackq tokens=1,3 delims=: " %%A in ("%report%") do (
  if "%%A"=="blank-named" set /a "blanks+=1, blankfiles+=%%B"
)
del "%report%" >nul 2>&1
if "%result%"=="1" goto :refuse
if not "%result%"=="0" (
  echo Drive atau folder "%folder%" tidak ditemukan. Tidak ada yang diubah.
  set "rc=2"
  goto :end
)

echo Memulihkan file dan folder di "%folder%" ...
echo.
echo Selesai. Atribut hidden, system dan read-only sudah dihapus dari file dan folder di "%folder%".
echo %shown% file dan folder tersembunyi sekarang tampil kembali.
if not "%after%"=="0" echo %after% file dan folder masih tersembunyi: sedang dipakai atau tidak boleh diubah.
if not "%blanks%"=="0" echo File Anda dipindahkan virus ke folder tanpa nama di "%folder%" ^(%blankfiles% file^).
if not "%blanks%"=="0" echo Buka folder itu, pilih semua isinya, lalu Cut dan Paste kembali ke "%folder%".
set "rc=0"
goto :end

:refuse
echo "%folder%" adalah drive atau folder Windows.
echo File sistem di sana tidak boleh diubah. Tidak ada yang diubah.
set "rc=1"

:end
echo.
if defined interactive pause
exit /b %rc%
