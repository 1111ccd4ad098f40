% OVRIX_READ16_DMA  Read 16-bit words from the card by DMA.
%   X = ovrix_read16_dma(H, OFFSET, COUNT)
%   X = ovrix_read16_dma(H, OFFSET, COUNT, CHANNEL)
%
%   Reads COUNT 16-bit words from the card's local address space, starting
%   at byte OFFSET, in one immediate DMA transfer on channel CHANNEL with a
%   16-bit bus width. The command returns when the transfer has ended. The
%   FPGA must be configured (see ovrix_config).
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space; 0 to 4294967295.
%     COUNT    number of words, 0 to 2147483647.
%     CHANNEL  DMA channel, default 1. The virtual card has channels 0 and 1.
%   Numbers are read from their first element (any numeric, logical or char
%   class), truncated toward zero, low 32 bits kept: -1 means 4294967295.
%   Empty, cell, struct and sparse arrays are refused.
%
%   Output
%     X        1xCOUNT int16, the words as read. For unsigned values use
%              typecast(X, 'uint16').
%
%   Failures (Octave shows each prefixed with "ovrix_read16_dma: ")
%     Incorrect number of input parameters
%     DMA channel (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     element count (input 3) must be from 0 to 2147483647; got N as a
%       32-bit count
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
%     ovrix_write16_dma(h, 256, int16([-1 2 3]));
%     x = ovrix_read16_dma(h, 256, 3)         % int16([-1 2 3]), channel 1
%     u = typecast(ovrix_read16_dma(h, 256, 3, 0), 'uint16')  % [65535 2 3]
%     ovrix_close(h);
%
%   See also ovrix_read8_dma, ovrix_read32_dma, ovrix_write16_dma,
%   ovrix_read16, ovrix.
