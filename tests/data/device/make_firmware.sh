#!/bin/sh
# Makes the firmware test files: a small AVR program as Intel HEX, and the
# bytes avr-objcopy reads from that HEX, for comparison with our loader.
# Needs gcc-avr, binutils-avr and avr-libc; run from this folder.
set -e
cat > /tmp/liftvox_fw.c <<'SRC'
#include <avr/io.h>
#include <avr/pgmspace.h>
static const char table[] PROGMEM = "Liftvox test firmware \x7f\xff\x7f 0123456789";
int main(void) {
  DDRB = 0xFF;
  for (;;) {
    for (unsigned i = 0; i < sizeof table; ++i) PORTB = pgm_read_byte(&table[i]);
  }
}
SRC
avr-gcc -mmcu=atmega8515 -Os -o /tmp/liftvox_fw.elf /tmp/liftvox_fw.c
avr-objcopy -O ihex -R .eeprom /tmp/liftvox_fw.elf firmware.hex
avr-objcopy -I ihex -O binary firmware.hex firmware.bin
rm -f /tmp/liftvox_fw.c /tmp/liftvox_fw.elf
