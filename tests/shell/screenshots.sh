#!/bin/sh
# Shows the main window, the Settings dialog and the About box of the built program one after
# the other in a virtual X display and saves a picture of each in build/screenshots/.
#     tests/shell/screenshots.sh [build directory, build/windows by default]
# Needs xvfb-run, ImageMagick's import and Wine; the Windows build must have been made.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/windows}
out=$root/build/screenshots
mkdir -p "$out"

if [ -z "${QUORVEL_SCREENSHOT_DISPLAY:-}" ]; then
    exec env QUORVEL_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
fi

run="$root/cmake/wine-run"
driver="$build/shell/window_driver.exe"
# The program and the driver share a desktop window of Wine's own, which draws the captions and
# frames that a window manager would.
"$run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Screenshots /d 640x400 /f >/dev/null
for exe in Quorvel.exe window_driver.exe; do
    "$run" reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\Explorer" /v Desktop \
        /d Screenshots /f >/dev/null
done
# Elsewhere (the tests) the program runs on the ordinary desktop again.
restore() {
    for exe in Quorvel.exe window_driver.exe; do
        "$run" reg delete "HKCU\\Software\\Wine\\AppDefaults\\$exe\\Explorer" /f \
            >/dev/null 2>&1 || true
    done
}
trap restore EXIT
"$run" "$build/shell/Quorvel.exe" &
program=$!

shot() {
    sleep 1
    import -window root -crop 640x400+0+0 "$out/$1.png"
    echo "$out/$1.png"
}

"$run" "$driver" wait Quorvel
shot main
"$run" "$driver" command Quorvel 1001
"$run" "$driver" wait Settings
shot settings
"$run" "$driver" command Settings 2
"$run" "$driver" command Quorvel 1006
"$run" "$driver" wait "About Quorvel"
shot about
"$run" "$driver" command "About Quorvel" 1
"$run" "$driver" command Quorvel 2
wait "$program" || true
