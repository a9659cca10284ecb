# shellcheck shell=bash
# Sourced by the window tests as `source in_xvfb.sh WORKDIR "$@"` (with the
# calling script's own arguments after WORKDIR): runs the calling script
# again inside a virtual X server (or exits 77, skipped, where there is
# none), then enters an empty WORKDIR with the real video driver and a
# silent sound driver.
in_xvfb_work=$1
shift
if [[ -z "${PQ_IN_XVFB:-}" ]]; then
  for tool in xvfb-run Xvfb xauth; do
    command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
  done
  PQ_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
rm -rf "$in_xvfb_work"
mkdir -p "$in_xvfb_work"
cd "$in_xvfb_work" || exit 1
unset SDL_VIDEODRIVER
export SDL_AUDIODRIVER=dummy
# See run_window_smoke.sh: the X libraries leave blocks a sanitizer cannot name.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
