# Another program writes another preset into the window's file: Ctrl+S asks "File Changed" first,
# naming the file. No leaves the other program's preset on disk, Yes writes the window's. Knob 2
# Max is byte 21 (127 in the default preset).
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

live="$E2E_FILES/live.q7x"
e2e_write_preset "$live" 21=75
e2e_start_editor "$live"
e2e_use_document "${E2E_TITLE_PREFIX}live"

# As another program would (q7x-preset set, say): Knob 2 Max 40 on disk.
e2e_write_preset "$live" 21=40
e2e_key ctrl+s
e2e_wait_window "File Changed"
e2e_answer "File Changed" n
sleep 1
e2e_expect_file_bytes "$live" 21=40

e2e_use_document "${E2E_TITLE_PREFIX}live"
e2e_key ctrl+s
e2e_answer "File Changed" y
e2e_wait_until "Yes to write the window's preset" 10 e2e_file_has_byte "$live" 21 75
e2e_expect_file_bytes "$live" 21=75
