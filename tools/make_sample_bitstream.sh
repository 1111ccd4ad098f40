#!/bin/sh
# Writes the sample design the examples and tests load: a short header, the
# dummy words and sync word AA 99 55 66 that open a configuration stream, and
# a few configuration words. Usage: tools/make_sample_bitstream.sh > examples/ovrix_sample.bit
printf 'ovrix sample design: local memory loopback\000'
printf '\377\377\377\377\377\377\377\377\000\000\000\273\021\042\000\104\377\377\377\377'
printf '\252\231\125\146'
printf '\060\000\200\001\000\000\000\007\040\000\000\000\060\001\040\001\000\000\000\000'
