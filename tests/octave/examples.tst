## The example scripts a user starts from run through on the virtual card,
## headless, and do to the card what they print.

%!shared examples
%! examples = canonicalize_file_name(fullfile(fileparts(file_in_loadpath('run_tst.m')), ...
%!                                            '..', '..', 'examples'));

%!test
%! ovrix_vcard('reset');
%! out = evalc(sprintf("source('%s')", fullfile(examples, 'register_peek_poke.m')));
%! assert(! isempty(strfind(out, 'SCRATCH   0x000c  0xcafef00d  0xcafef00d')), out);
%! assert(! isempty(strfind(out, 'CONTROL after setting bit 4: 0x00000011')), out);
%! assert(! isempty(strfind(out, 'registers: ok')), out);
%! ## The registers are in the card's memory, low byte first.
%! regs = typecast(ovrix_vcard('peek', 0, 0, 16), 'uint32');
%! assert(regs, uint32([17 2147483648 1000 3405705229]));
%! assert(ovrix_vcard('handles'), 0);

%!test
%! ovrix_vcard('reset');
%! start_dir = pwd;
%! scratch_dir = tempname();
%! mkdir(scratch_dir);
%! cd(scratch_dir);
%! unwind_protect
%!   out = evalc(sprintf("source('%s')", fullfile(examples, 'dma_loopback_plot.m')));
%! unwind_protect_cleanup
%!   cd(start_dir);
%! end_unwind_protect
%! assert(! isempty(strfind(out, 'DMA loopback of 2048 16-bit samples on channel 0: ok')), out);
%! ## The waveform went to the card at byte 65536.
%! t = (0:2047) / 2048;
%! expected = int16(round(12000 * sin(2 * pi * 5 * t) .* exp(-2 * t) + 3000 * sin(2 * pi * 60 * t)));
%! assert(typecast(ovrix_vcard('peek', 0, 65536, 4096), 'int16'), expected);
%! assert(ovrix_vcard('handles'), 0);
%! assert(ovrix_vcard('events'), 0);
%! png = fullfile(scratch_dir, 'dma_loopback.png');
%! if (isempty(available_graphics_toolkits()))
%!   ## No graphics here: a summary instead of a plot.
%!   assert(! isempty(strfind(out, 'read back: min')), out);
%! else
%!   ## Headless: the plot is a PNG in the current folder.
%!   assert(! isempty(strfind(out, ['plot saved as ' png])), out);
%!   fid = fopen(png, 'r');
%!   head = fread(fid, 8, 'uint8=>uint8')';
%!   fseek(fid, 0, 'eof');
%!   bytes = ftell(fid);
%!   fclose(fid);
%!   assert(head, uint8([137 80 78 71 13 10 26 10]));
%!   assert(bytes > 10000);
%! end
%! confirm_recursive_rmdir(false, 'local');
%! rmdir(scratch_dir, 's');
