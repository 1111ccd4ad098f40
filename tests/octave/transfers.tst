## Round trips through every width and both methods, as a user writes them.

%!shared h
%! ovrix_vcard('reset');
%! h = ovrix_init();
%! ovrix_vcard('configured', 0, true);

%!test
%! ## Programmed: signed by default, unsigned with option 1.
%! ovrix_write8(h, 0, uint8([0 1 127 128 255]));
%! assert(ovrix_read8(h, 0, 5), int8([0 1 127 -128 -1]));
%! assert(ovrix_read8(h, 0, 5, 1), uint8([0 1 127 128 255]));
%! ovrix_write16(h, 64, int16([-32768 -1 0 1 32767]));
%! assert(ovrix_read16(h, 64, 5), int16([-32768 -1 0 1 32767]));
%! assert(ovrix_read16(h, 64, 5, 1), uint16([32768 65535 0 1 32767]));
%! ovrix_write32(h, 128, uint32([0 1 2^31 2^32-1]));
%! assert(ovrix_read32(h, 128, 4), int32([0 1 -2^31 -1]));
%! assert(ovrix_read32(h, 128, 4, 3), uint32([0 1 2^31 2^32-1]));   # burst flag too

%!test
%! ## DMA on channels 0 and 1 (the default), read back both ways.
%! data = int16(-500:499);
%! ovrix_write16_dma(h, 4096, data, 0);
%! assert(ovrix_read16_dma(h, 4096, 1000, 1), data);
%! assert(ovrix_read16(h, 4096, 1000), data);
%! bytes = int8(-128:127);
%! ovrix_write8_dma(h, 8192, bytes);
%! assert(ovrix_read8_dma(h, 8192, 256), bytes);
%! words = uint32(1:1000) * 4000000;
%! ovrix_write32_dma(h, 16384, words);
%! assert(ovrix_read32_dma(h, 16384, 1000, 0, -4), words);
%! assert(ovrix_read32_dma(h, 16384, 1000), typecast(words, 'int32'));
%! assert(ovrix_vcard('events'), 0);

%!test
%! ## read32_dma element codes; write32_dma sends every byte of any class.
%! x = [pi -1 1e300];
%! ovrix_write32_dma(h, 0, x);
%! assert(ovrix_read32_dma(h, 0, 3, 1, 8), x);
%! assert(ovrix_read32_dma(h, 0, 24, 1, -1), typecast(x, 'uint8'));
%! assert(ovrix_read32_dma(h, 0, 12, 0, 2), typecast(x, 'int16'));
%! assert(errmsg(@() ovrix_read32_dma(h, 0, 3, 1, 5)), ...
%!        'ovrix_read32_dma: element code (input 5) must be 1, 2, 4 or 8 for int8, int16, int32 or double, or -1, -2 or -4 for uint8, uint16 or uint32; got 5');

%!test
%! ## Empty arrays move nothing and return 1x0 of the class.
%! assert(size(ovrix_read32(h, 0, 0)), [1 0]);
%! assert(class(ovrix_read16_dma(h, 0, 0)), 'int16');
%! ovrix_write32(h, 0, uint32([]));
%! ovrix_write8_dma(h, 0, []);

%!test
%! ## Writes send the stored bytes: convert values first.
%! ovrix_write8(h, 0, 5);                        # a double: its first byte is 0
%! assert(ovrix_read8(h, 0, 1), int8(0));
%! ovrix_write8(h, 0, uint8(5));
%! assert(ovrix_read8(h, 0, 1), int8(5));
%! assert(errmsg(@() ovrix_write16(h, 0, int8([1 2 3]))), ...
%!        'ovrix_write16: data array (input 3) holds 3 bytes as int8, fewer than the 6 that 3 16-bit words need; convert it first, for example int16(x)');
%! assert(errmsg(@() ovrix_write32(h, 0, sparse([1 2]))), ...
%!        'ovrix_write32: data array (input 3) must be a full numeric, logical or char array; got sparse 1x2 double');

%!test
%! ## The card refuses what lies outside its local address space.
%! outside = ['Failed to read data: ' ovrix_vcard('status', 8)];
%! assert(errmsg(@() ovrix_read32(h, 2^32 - 4, 1)), ['ovrix_read32: ' outside]);
%! assert(errmsg(@() ovrix_read16_dma(h, 2^31, 1)), ['ovrix_read16_dma: ' outside]);
%! assert(errmsg(@() ovrix_write32(h, -4, uint32(1))), ...
%!        ['ovrix_write32: Failed to write data: ' ovrix_vcard('status', 8)]);
%! assert(errmsg(@() ovrix_read8_dma(h, 0, 1, 7)), ...
%!        ['ovrix_read8_dma: Failed to read data: ' ovrix_vcard('status', 14)]);
%! assert(errmsg(@() ovrix_read8(h, 0, -1)), ...
%!        'ovrix_read8: element count (input 3) must be from 0 to 2147483647; got -1 as a 32-bit count');
%! assert(ovrix_vcard('events'), 0);

%!test
%! ## A fault injected into the DMA transfer reaches the user with its text,
%! ## and the completion event is closed all the same.
%! ovrix_vcard('fail', 'ADMXRC2_DoDMAImmediate', 8);
%! assert(errmsg(@() ovrix_write8_dma(h, 0, uint8(1))), ...
%!        ['ovrix_write8_dma: Failed to write data: ' ovrix_vcard('status', 8)]);
%! ovrix_vcard('fail', 'ADMXRC2_GetCardInfo', 1);
%! assert(errmsg(@() ovrix_read8_dma(h, 0, 1)), ...
%!        ['ovrix_read8_dma: Failed to get card info: ' ovrix_vcard('status', 1)]);
%! assert(ovrix_vcard('events'), 0);

%!test
%! ovrix_close(h);
