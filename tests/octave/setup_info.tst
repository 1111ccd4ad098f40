## Card information, bitstream loading and clocks, as an Octave user sees them.

%!shared h, sample, here
%! ovrix_vcard('reset');
%! h = ovrix_init();
%! here = fileparts(file_in_loadpath('ovrix_init.mex'));
%! sample = fullfile(here, 'ovrix_sample.bit');

%!test
%! [a, b, c, d] = ovrix_getinfo(h);
%! assert({a, b, c, d}, {0, 1001, 'xrc4sx', 'Virtex-4 V4SX35'});
%! [a, b, c, d, e, f, g, k, l, m, n] = ovrix_getinfo(h);
%! assert({e, f, g, k, l}, {uint32(2), uint32(2), uint32(3), uint32(4), uint32(64 * 2^20)});
%! assert({m, n}, {uint8(hex2dec('12')), uint8(3)});
%! assert(ovrix_getinfo(h), 0);

%!test
%! s = cell(1, 12);
%! try
%!   [s{:}] = ovrix_getinfo(h);
%!   error('no error');
%! catch err
%!   assert(err.message, 'ovrix_getinfo: Too many output parameters');
%! end

%!test
%! ## Board and FPGA types without a name, set through the control helper.
%! ovrix_vcard('cardinfo', 0, struct('BoardType', 14, 'FPGAType', 147));
%! [~, ~] = ovrix_getinfo(h);                     # the board name is not looked at
%! try
%!   [~, ~, ~] = ovrix_getinfo(h);
%!   error('no error');
%! catch err
%!   assert(err.message, 'ovrix_getinfo: Unknown board type: 14');
%! end
%! ovrix_vcard('cardinfo', 0, struct('BoardType', 0, 'FPGAType', -1));
%! [~, ~, c, d] = ovrix_getinfo(h);
%! assert({c, d}, {'xrc', 'unknown (0xffffffff)'});
%! ovrix_vcard('cardinfo', 0, struct('BoardType', 11, 'FPGAType', 105));

%!test
%! ## Reads need a configured FPGA; loading the sample bitstream gives one.
%! ovrix_vcard('configured', 0, false);
%! assert(errmsg(@() ovrix_read8(h, 0, 1)), ...
%!        ['ovrix_read8: Failed to read data: ' ovrix_vcard('status', 9)]);
%! ovrix_config(h, sample);
%! assert(ovrix_vcard('configured', 0));
%! assert(ovrix_read8(h, 0, 1), int8(0));

%!test
%! missing = fullfile(tempdir(), 'no-such-design.bit');
%! assert(errmsg(@() ovrix_config(h, missing)), ...
%!        sprintf("ovrix_config: Failed to load the bitstream '%s': %s", missing, ovrix_vcard('status', 10)));
%! long = [tempdir() filesep() repmat('x', 1, 300) '.bit'];
%! msg = errmsg(@() ovrix_config(h, long));
%! assert(strfind(msg, long) > 0);                # the whole name, however long
%! assert(errmsg(@() ovrix_config(h)), 'ovrix_config: Incorrect number of input parameters');

%!test
%! hz = ovrix_setclockrate(h, 0, 66.666);
%! assert(abs(hz - 66.666e6) < 0.01e6);
%! assert(hz != 66.666e6);                       # the synthesizer's nearest, in hertz
%! ovrix_setclockrate(h, 1, 50);
%! assert(ans > 49e6 && ans < 51e6);
%! assert(errmsg(@() ovrix_setclockrate(h, 2, 33.333)), ...
%!        ['ovrix_setclockrate: Failed to set clock 2 to 33.3MHz: ' ovrix_vcard('status', 5)]);
%! assert(errmsg(@() ovrix_setclockrate(h, 0)), 'ovrix_setclockrate: Incorrect number of input parameters');

%!test
%! [base, len, widths, flags, bus] = ovrix_getspaceinfo(h, 1);
%! assert(class(base), 'uint32');
%! assert([base len widths flags], uint32([hex2dec('2000000') hex2dec('1000000') 7 2]));
%! assert(ovrix_getspaceinfo(h), uint32(0));      # space 0 by default
%! assert(errmsg(@() ovrix_getspaceinfo(h, 3)), ...
%!        ['ovrix_getspaceinfo: Failed to get space 3 info: ' ovrix_vcard('status', 5)]);
%! [kind, width, kib, fitted] = ovrix_getbankinfo(h, 3);
%! assert([kind width kib fitted], uint32([2 32 4096 1]));
%! assert(errmsg(@() ovrix_getbankinfo(h, 4)), ...
%!        ['ovrix_getbankinfo: Failed to get bank 4 info: ' ovrix_vcard('status', 5)]);

%!test
%! ovrix_close(h);
%! assert(ovrix_vcard('handles'), 0);
