@echo off
rem Tarvex Antivirus - Pengembalian File
rem
rem Brings back the files and folders that a virus has hidden on a drive or in
rem a folder (usually a USB stick): clears the hidden, system and read-only
rem attributes of everything inside it, at every depth. Nothing is deleted,
rem moved or renamed, and no other attribute changes.
rem
rem   FileRecover.bat            asks for the drive or folder
rem   FileRecover.bat E:         works on the given drive or folder
rem
rem The root of the Windows drive and the Windows folder are refused: clearing
rem the system attribute of the files there would harm Windows itself.
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

rem Refused: the Windows drive's root, the Windows folder and everything in it.
if /i "%folder%"=="%SystemDrive%\" goto :refuse
call set "below=%%folder:*%SystemRoot%\=%%"
if /i "%SystemRoot%\%below%"=="%folder%" goto :refuse

call :count before
echo Memulihkan file dan folder di "%folder%" ...
call :pass recover /a
call :count after
set /a shown=before-after
echo.
echo Selesai. Atribut hidden, system dan read-only sudah dihapus dari file dan folder di "%folder%".
echo %shown% file dan folder tersembunyi sekarang tampil kembali.
if not "%after%"=="0" echo %after% file dan folder masih tersembunyi: sedang dipakai atau tidak boleh diubah.
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

rem :count NAME   sets NAME to the number of hidden files and folders.
:count
set "count=0"
call :pass hidden /a:h
call :pass below /a
set "%~1=%count%"
goto :eof

rem :pass WHAT LISTING   walks the entries of the folder that dir LISTING
rem shows, except the system's own folders at a drive's root:
rem   hidden   counts them;
rem   below    counts the hidden files and folders below them;
rem   recover  clears the attributes of each and of everything below it.
rem attrib runs with all three switches at once, as Windows wants for a file
rem that is both hidden and system, then once per switch, for the attrib
rem commands that apply only the last switch they are given.
:pass
for /f "eol=/ delims=" %%E in ('dir %~2 /b "%folder%" 2^>nul') do (
  if /i not "%%E"=="System Volume Information" if /i not "%%E"=="$RECYCLE.BIN" if /i not "%%E"=="RECYCLER" (
    if "%~1"=="hidden" (
      set /a "count+=1"
    )
    if "%~1"=="below" (
      for /f "eol=/ delims=" %%H in ('dir /a:h /s /b "%folder%%%E\" 2^>nul') do set /a "count+=1"
    )
    if "%~1"=="recover" (
      for %%S in ("-s -h -r" "-r" "-s" "-h") do attrib %%~S "%folder%%%E" >nul 2>&1
      if exist "%folder%%%E\*" (
        for %%S in ("-s -h -r" "-r" "-s" "-h") do attrib %%~S "%folder%%%E\*" /s /d >nul 2>&1
      )
    )
  )
)
goto :eof
