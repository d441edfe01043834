#!/usr/bin/env bash
# With the advance reminder on and 0 days ahead, a holiday of today (9 May 2027, the
# second holiday of the file) is handed to the note program (a recording stub here) at the
# first reminder tick, once: "1", the countdown's sound, the note's text file and the
# holiday's number. The text file holds the note in code page 1251 with CR LF.
source "$(dirname "$0")/lib.sh"
start_x
seed_registry StartHow1
sed -i 's/"Celebr"=dword:00000000/"Celebr"=dword:00000001/' "$REGISTRY"
grep -q '"Celebr"=dword:00000001' "$REGISTRY" || fail "the reminder was not switched on in the settings"

PROGRAM=$WORK/program
mkdir -p "$PROGRAM"
cp "$DOMORA_BIN" "$PROGRAM/domora"
cat >"$PROGRAM/notebox" <<STUB
#!/bin/sh
{ printf '%s\n' "\$@"; echo ---; } >>"$WORK/notebox.log"
STUB
chmod +x "$PROGRAM/notebox"

# celeb MONTH DAY EVENT COMMENT: one 404-byte holiday, texts in code page 1251.
text_field() {
    local bytes
    bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t CP1251 | wc -c)
    byte "$bytes"
    printf '%s' "$1" | iconv -f UTF-8 -t CP1251
    head -c $((200 - bytes)) /dev/zero
}
celeb() {
    byte "$1"
    byte "$2"
    text_field "$3"
    text_field "$4"
}
CELEBS=$DOMORA_HOME/Data/Celeb.DMR
{
    celeb 1 1 "Новый год" ""
    celeb 5 9 "День Победы" "Парад в 10:00"
    celeb 5 10 "Завтра" ""
} >"$CELEBS"
[ "$(stat -c %s "$CELEBS")" -eq $((3 * 404)) ] || fail "the holiday file was not made"

printf '%s\r\n' "Сообщение о наступлении праздника" "День: 9" "Месяц: 5" "Название праздника: День Победы" \
    "Комментарий: Парад в 10:00" "" | iconv -f UTF-8 -t CP1251 >"$WORK/note.expected"

export TZ=UTC
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
start_at '2027-05-09 10:00:00' "$PROGRAM/domora" >"$WORK/domora.log" 2>&1

wait_for 'grep -q -- --- "$WORK/notebox.log" 2>/dev/null' 40 || {
    cat "$WORK/domora.log" >&2
    fail "the note program was not started"
}
mapfile -t ARGS <"$WORK/notebox.log"
[ "${#ARGS[@]}" -eq 5 ] || fail "the note program got ${#ARGS[@]} lines: ${ARGS[*]}"
[ "${ARGS[0]}" = 1 ] || fail "first argument ${ARGS[0]}"
# The countdown's sound, as the program's folder spells it (names match whatever the case).
SOUND=$(echo "${ARGS[1]}" | tr '[:upper:]' '[:lower:]')
[ "$SOUND" = "$(echo "$DOMORA_HOME/sound/timer/timer.wav" | tr '[:upper:]' '[:lower:]')" ] ||
    fail "sound argument ${ARGS[1]}"
[ "${ARGS[2]}" = "$DOMORA_HOME/Tmp_Celeb.txt" ] || fail "text argument ${ARGS[2]}"
[ "${ARGS[3]}" = 2 ] || fail "record numbers ${ARGS[3]}"
cmp "$WORK/note.expected" "$DOMORA_HOME/Tmp_Celeb.txt" || fail "the note's text differs"

# Once a day: the next ticks start nothing more.
sleep 12
[ "$(grep -c -- --- "$WORK/notebox.log")" -eq 1 ] || fail "the holiday was reminded twice"
echo "holiday reminder: note program started once with 1, sound, Tmp_Celeb.txt, 2"
