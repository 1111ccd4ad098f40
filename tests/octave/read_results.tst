## Reads fill their whole result with the card's bytes, and only those: the
## host's memory may hold anything before a read.

%!shared h
%! ovrix_vcard('reset');
%! h = ovrix_init();
%! ovrix_vcard('configured', 0, true);

%!test
%! ## Every read, programmed and DMA, at every width: the card's bytes exactly,
%! ## right after the host had other values in the same place.
%! bytes = uint8(mod(0:4095, 251) + 1);
%! ovrix_vcard('poke', 0, 0, bytes);
%! for k = 1:3
%!   before = -ones(1, 1024, 'int32');
%!   clear before
%!   assert(typecast(ovrix_read8(h, 0, 4096), 'uint8'), bytes);
%!   assert(typecast(ovrix_read16(h, 0, 2048, 1), 'uint8'), bytes);
%!   assert(typecast(ovrix_read32(h, 0, 1024), 'uint8'), bytes);
%!   assert(typecast(ovrix_read8_dma(h, 0, 4096), 'uint8'), bytes);
%!   assert(typecast(ovrix_read16_dma(h, 0, 2048), 'uint8'), bytes);
%!   assert(typecast(ovrix_read32_dma(h, 0, 1024), 'uint8'), bytes);
%!   assert(typecast(ovrix_read32_dma(h, 0, 512, 1, 8), 'uint8'), bytes);
%! end

%!test
%! ## Element codes 0 and 3 read fewer bytes than their int32 result holds:
%! ## the rest are zero, even where the host just had non-zero values.
%! ovrix_vcard('poke', 0, 0, uint8(1:240));
%! for k = 1:4
%!   x = ovrix_read32_dma(h, 0, 60);
%!   assert(any(x != 0));
%!   clear x
%!   y = typecast(ovrix_read32_dma(h, 0, 60, 1, 3), 'uint8');
%!   assert(y(1:180), uint8(1:180));
%!   assert(y(181:240), zeros(1, 60, 'uint8'));
%!   clear y
%!   assert(ovrix_read32_dma(h, 0, 60, 1, 0), zeros(1, 60, 'int32'));
%! end

%!test
%! ovrix_close(h);
