#!/usr/bin/env bash
# Under wine in the Japanese, Chinese and Korean locales (system code pages 932, 936 and 949), one
# row saved in that code page, as UTF-8 and as UTF-16 LE draws the same picture and checks clean.
# Each row holds characters whose trail byte in the code page is ASCII, the backslash among them.
# Usage: code_page_locales_test.sh WINE_RUN HUDHOST_EXE OUTPUT_DIR
set -eu
wine_run=$1
hudhost=$2
out=$3

# locale, iconv's name of its code page, the row
cases=(
  "ja_JP.UTF-8 CP932 選択: *SEL_FACES* 表示"
  "zh_CN.UTF-8 CP936 乗丂: *SEL_FACES* 选择"
  "ko_KR.UTF-8 CP949 갂갃: *SEL_FACES* 선택"
)

status=0
for c in "${cases[@]}"; do
  read -r locale page row <<<"$c"
  pictures=()
  for encoding in "$page" UTF-8 UTF-16; do
    dir=$out/$locale/$encoding
    mkdir -p "$dir/Plugins/Startup Plugins"
    layout=$(printf '[CONFIG]\r\nFONT_FACE=WenQuanYi Micro Hei\r\nFONT_SIZE=24\r\n[SECTION1]\r\nROWDATA1=%s\r\n' "$row")
    ini="$dir/Plugins/Startup Plugins/VantorHUD.ini"
    if [ "$encoding" = UTF-16 ]; then
      { printf '\xff\xfe'; printf '%s' "$layout" | iconv -f UTF-8 -t UTF-16LE; } >"$ini"
    else
      printf '%s' "$layout" | iconv -f UTF-8 -t "$encoding" >"$ini"
    fi
    LANG=$locale LC_ALL=$locale "$wine_run" "$hudhost" --workdir "$dir" --cmd switch --faces 7 \
      --out "$dir/hud.png" >/dev/null
    pictures+=("$dir/hud.png")
    if ! LANG=$locale LC_ALL=$locale "$wine_run" "$hudhost" --check --workdir "$dir" >"$dir/check.txt"; then
      echo "FAIL: $locale $encoding does not check clean:"; cat "$dir/check.txt"; status=1
    fi
  done
  for p in "${pictures[@]:1}"; do
    if ! cmp -s "${pictures[0]}" "$p"; then
      echo "FAIL: $locale: $p draws otherwise than ${pictures[0]}"; status=1
    fi
  done
done
exit $status
