% OVRIX_READ32  Read 32-bit words from the card by programmed transfer.
%   X = ovrix_read32(H, OFFSET, COUNT)
%   X = ovrix_read32(H, OFFSET, COUNT, OPTIONS)
%
%   Reads COUNT 32-bit words from the card's local address space, starting
%   at byte OFFSET, by programmed (not DMA) transfer. The FPGA must be
%   configured (see ovrix_config).
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space; 0 to 4294967295.
%     COUNT    number of words, 0 to 1073741823 (2^30 - 1).
%     OPTIONS  default 0; the sum of
%                1  return uint32 instead of int32
%                2  pass the burst flag to the card library
%              Other bits are ignored.
%   Numbers are read from their first element (any numeric, logical or char
%   class), truncated toward zero, low 32 bits kept: -1 means 4294967295.
%   Empty, cell, struct and sparse arrays are refused.
%
%   Output
%     X        1xCOUNT int32 (1xCOUNT uint32 with option 1), the words as read.
%
%   Failures (Octave shows each prefixed with "ovrix_read32: ")
%     Incorrect number of input parameters
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     element count (input 3) must be from 0 to 2147483647; got N as a
%       32-bit count
%     element count (input 3) is too large: N elements of 4 bytes pass the
%       4 GiB limit of one transfer
%     options value (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     Failed to read data: TEXT
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "Transfer lies outside the local
%   address space" or "The FPGA is not configured: load a bitstream first"
%   on the virtual card.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');
%     ovrix_write32(h, 0, uint32([1 2 4294967295]));
%     x = ovrix_read32(h, 0, 3)         % int32([1 2 -1])
%     u = ovrix_read32(h, 0, 3, 1)      % uint32([1 2 4294967295])
%     ovrix_close(h);
%
%   See also ovrix_read8, ovrix_read16, ovrix_write32, ovrix_read32_dma,
%   ovrix.
