% demo.m - an ovrix session on the card of identifier 0.
%
% Run it from this folder with the ovrix plug-ins on the path; without a real
% card library it drives the virtual card.

here = fileparts(mfilename('fullpath'));
if isempty(here)
  here = pwd;
end
bitstream = fullfile(here, 'ovrix_sample.bit');

h = ovrix_init();
printf('opened card: handle %u\n', h);

[id, serial, board, fpga, clocks, channels, spaces, banks, localsize, boardrev, logicrev] = ...
    ovrix_getinfo(h);
printf('card %d, serial %d: %s board, %s FPGA\n', id, serial, board, fpga);
printf('  %d clocks, %d DMA channels, %d spaces, %d banks, %d MiB local space\n', ...
       clocks, channels, spaces, banks, localsize / 2^20);
printf('  board revision 0x%02x, logic revision 0x%02x\n', boardrev, logicrev);
for s = 0:double(spaces) - 1
  [base, len, widths, flags] = ovrix_getspaceinfo(h, s);
  printf('  space %d: 0x%08x, %d KiB, widths mask %d, flags %d\n', s, base, len / 1024, widths, flags);
end
for b = 0:double(banks) - 1
  [kind, width, kib, fitted] = ovrix_getbankinfo(h, b);
  printf('  bank %d: type 0x%x, %d bits, %d KiB, fitted %d\n', b, kind, width, kib, fitted);
end

ovrix_config(h, bitstream);
printf('loaded %s\n', bitstream);
hz = ovrix_setclockrate(h, 0, 66.666);
printf('clock 0 asked for 66.666 MHz, runs at %.6f MHz\n', hz / 1e6);

% Programmed loopback: 32-bit words out and back.
words = uint32(hex2dec({'DEADBEEF', '01234567', '89ABCDEF', 'FFFFFFFF'}))';
ovrix_write32(h, 0, words);
back = ovrix_read32(h, 0, numel(words), 1);
assert(isequal(back, words), 'programmed loopback returned other data');
printf('programmed loopback of %d words: ok (%s)\n', numel(words), ...
       strjoin(cellstr(dec2hex(back))', ' '));

% DMA loopback: a block of 16-bit samples on channel 0.
samples = int16(round(3000 * sin(2 * pi * (0:1023) / 256)));
ovrix_write16_dma(h, 65536, samples, 0);
got = ovrix_read16_dma(h, 65536, numel(samples), 0);
assert(isequal(got, samples), 'DMA loopback returned other data');
printf('DMA loopback of %d samples on channel 0: ok\n', numel(samples));

% A failure raises an error that names the command and says why.
try
  ovrix_read32(h, 2^32 - 4, 2);
catch err
  printf('as expected: %s\n', err.message);
end

ovrix_close(h);
printf('closed\n');
