% OVRIX_WRITE32  Write 32-bit words to the card by programmed transfer.
%   ovrix_write32(H, OFFSET, DATA)
%   ovrix_write32(H, OFFSET, DATA, OPTIONS)
%
%   Writes the elements of DATA as 32-bit words to the card's local address
%   space, starting at byte OFFSET, by programmed (not DMA) transfer. The
%   FPGA must be configured (see ovrix_config).
%
%   DATA is sent as stored, not converted: the first 4*numel(DATA) bytes of
%   its storage go, four bytes per word, low byte first. To send values,
%   convert them first with uint32(x) (or int32(x); single(x) sends the
%   IEEE bits). A double array is not refused but sends the wrong words:
%   ovrix_write32(h, 0, [1 2]) sends 0 and 1072693248 (0x3FF00000), the
%   bytes of the double 1. Arrays of 1- or 2-byte elements are too small
%   and are refused. Complex arrays send their real part only; an empty
%   DATA sends nothing.
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space: first element (any
%              numeric, logical or char class), truncated toward zero, low
%              32 bits kept (-1 means 4294967295).
%     DATA     full numeric, logical or char array of any shape.
%     OPTIONS  default 0; 2 passes the burst flag to the card library.
%              Other bits are ignored. A number, read as OFFSET is.
%
%   Failures (Octave shows each prefixed with "ovrix_write32: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     data array (input 3) must be a full numeric, logical or char array;
%       got DESCRIPTION
%     data array (input 3) holds H bytes as CLASS, fewer than the B that
%       N 32-bit words need; convert it first, for example uint32(x)
%     data array (input 3) is too large: N bytes pass the 4 GiB limit of
%       one transfer
%     options value (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to write data: TEXT
%   DESCRIPTION names what was given, e.g. "1x1 cell"; TEXT is the
%   card library's status text, e.g. "The FPGA is not configured: load a
%   bitstream first" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');
%     ovrix_write32(h, 0, uint32([1 2 4294967295]));
%     ovrix_write32(h, 12, int32(-5), 2);      % burst flag
%     x = ovrix_read32(h, 0, 4)                % int32([1 2 -1 -5])
%     ovrix_close(h);
%
%   See also ovrix_write8, ovrix_write16, ovrix_read32, ovrix_write32_dma,
%   ovrix.
