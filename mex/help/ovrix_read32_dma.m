% OVRIX_READ32_DMA  Read 32-bit words, or elements of a chosen class, by DMA.
%   X = ovrix_read32_dma(H, OFFSET, COUNT)
%   X = ovrix_read32_dma(H, OFFSET, COUNT, CHANNEL)
%   X = ovrix_read32_dma(H, OFFSET, COUNT, CHANNEL, CODE)
%
%   Reads COUNT elements from the card's local address space, starting at
%   byte OFFSET, in one immediate DMA transfer on channel CHANNEL with a
%   32-bit bus width, and returns when it has ended. CODE chooses the class
%   of X and so the bytes moved (COUNT times the element size); they land
%   in X as read. The FPGA must be configured (see ovrix_config).
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space; 0 to 4294967295.
%     COUNT    number of elements; COUNT times the element size must stay
%              below 4 GiB.
%     CHANNEL  DMA channel, default 1. The virtual card has channels 0 and 1.
%     CODE     element code, default 4:
%                1 int8    2 int16    4 int32    8 double
%               -1 uint8  -2 uint16  -4 uint32
%              Codes 0 and 3 are taken too: X is then int32, of which only
%              the first 0 or 3*COUNT bytes are read (the rest stay zero).
%   Numbers: first element (any numeric, logical or char class), truncated
%   toward zero, low 32 bits kept. Empty, cell, struct, sparse: refused.
%
%   Output
%     X        1xCOUNT array of the class CODE gives (int32 by default).
%
%   Failures (Octave shows each prefixed with "ovrix_read32_dma: ")
%     Incorrect number of input parameters
%     DMA channel (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     element code (input 5) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     element code (input 5) must be 1, 2, 4 or 8 for int8, int16, int32 or
%       double, or -1, -2 or -4 for uint8, uint16 or uint32; got N
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     element count (input 3) must be from 0 to 2147483647; got N as a
%       32-bit count
%     element count (input 3) is too large: N elements of B bytes pass the
%       4 GiB limit of one transfer
%     Failed to get card info: TEXT
%     Cannot make a completion event for the DMA transfer; nothing was
%       transferred
%     Failed to read data: TEXT
%   DESCRIPTION names what was given, e.g. "empty 0x0 double"; TEXT
%   is the card library's status text, e.g. "No such DMA channel" or "The
%   FPGA is not configured: load a bitstream first" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');
%     ovrix_write32_dma(h, 0, [pi 2.5]);          % 16 bytes
%     y = ovrix_read32_dma(h, 0, 2, 1, 8)         % [3.1416 2.5000]
%     w = ovrix_read32_dma(h, 0, 4, 0, -4);       % the same bytes as uint32
%     ovrix_close(h);
%
%   See also ovrix_read8_dma, ovrix_read16_dma, ovrix_write32_dma,
%   ovrix_read32, ovrix.
