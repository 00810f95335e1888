#!/usr/bin/env bash
# Fails when a layer includes headers it must not see: core is QtCore only, neither core nor gui
# talks to GStreamer or libcdio directly, and media and gui meet only through core's ports.
set -u
src=${1:-src}
status=0
core=$(grep -rnE '#include *[<"](Qt(Gui|Widgets|Network|Multimedia)/|Q(Widget|Application|GuiApplication|Painter|Pixmap|Image|Font|FontMetrics|Color|Icon|Action|Menu|Dialog|MessageBox|ListView|TreeView|LocalServer|LocalSocket)\b|gst/|cdio/)' "$src/core" 2>/dev/null)
if [ -n "$core" ]; then
  printf 'src/core may include QtCore headers only:\n%s\n' "$core" >&2
  status=1
fi
gui=$(grep -rnE '#include *[<"](gst/|cdio/|media/)' "$src/gui" 2>/dev/null)
if [ -n "$gui" ]; then
  printf 'src/gui talks to media through core ports only:\n%s\n' "$gui" >&2
  status=1
fi
media=$(grep -rnE '#include *[<"](QtWidgets/|Q(Widget|Application|MainWindow|Dialog|Menu)\b|gui/)' "$src/media" 2>/dev/null)
if [ -n "$media" ]; then
  printf 'src/media draws into gui surfaces through core ports only:\n%s\n' "$media" >&2
  status=1
fi
# Inside core and inside gui, folders stand in layers: no two of them include each other.
for layer in core gui; do
  edges=$(for dir in "$src/$layer"/*/; do
    from=$(basename "$dir")
    grep -rhoE "#include \"$layer/[a-z]+/" "$dir" | sed -E "s#.*\"$layer/([a-z]+)/#\1#" | sort -u |
      while read -r to; do [ "$to" != "$from" ] && echo "$from $to"; done
  done)
  mutual=$(printf '%s\n' "$edges" | awk 'NF == 2 { seen[$1" "$2] = 1 } END { for (e in seen) { split(e, p, " "); if ((p[2]" "p[1]) in seen && p[1] < p[2]) print "  " p[1] " <-> " p[2] } }')
  if [ -n "$mutual" ]; then
    printf 'src/%s folders that include each other:\n%s\n' "$layer" "$mutual" >&2
    status=1
  fi
done
exit $status
