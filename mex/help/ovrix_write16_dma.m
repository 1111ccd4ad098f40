% OVRIX_WRITE16_DMA  Write 16-bit words to the card by DMA.
%   ovrix_write16_dma(H, OFFSET, DATA)
%   ovrix_write16_dma(H, OFFSET, DATA, CHANNEL)
%
%   Writes the elements of DATA as 16-bit words to the card's local address
%   space, starting at byte OFFSET, in one immediate DMA transfer on
%   channel CHANNEL with a 16-bit bus width. The command returns when
%   the transfer has ended. The FPGA must be configured (see ovrix_config).
%
%   DATA is sent as stored, not converted: the first 2*numel(DATA) bytes of
%   its storage go, two bytes per word, low byte first. To send values,
%   convert them first with int16(x) (or uint16(x)). Wider classes are not
%   refused but send the wrong bytes: ovrix_write16_dma(h, 0, [1 2]) sends
%   the words 0 and 0, the first 4 bytes of the double 1. An array of
%   1-byte elements (int8, uint8, logical; char in Octave) is too small and
%   is refused. Complex arrays send their real part only; an empty DATA
%   sends nothing.
%
%   Inputs
%     H        card handle: the 1x1 uint32 that ovrix_init returns, passed as
%              returned (uint32, or int32 of the same value; not double(H)).
%     OFFSET   byte offset in the local address space.
%     DATA     full numeric, logical or char array of any shape.
%     CHANNEL  DMA channel, default 1. The virtual card has channels 0 and 1.
%   OFFSET and CHANNEL are read from their first element (any numeric,
%   logical or char class), truncated toward zero, low 32 bits kept: -1
%   means 4294967295. Empty, cell, struct and sparse arrays are refused.
%
%   Failures (Octave shows each prefixed with "ovrix_write16_dma: ")
%     Incorrect number of input parameters
%     DMA channel (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     data array (input 3) must be a full numeric, logical or char array;
%       got DESCRIPTION
%     data array (input 3) holds H bytes as CLASS, fewer than the B that
%       N 16-bit words need; convert it first, for example int16(x)
%     data array (input 3) is too large: N bytes pass the 4 GiB limit of
%       one transfer
%     Failed to get card info: TEXT
%     Cannot make a completion event for the DMA transfer; nothing was
%       transferred
%     Failed to write data: TEXT
%   DESCRIPTION names what was given, e.g. "1x1 cell"; TEXT is the
%   card library's status text, e.g. "No such DMA channel" or "The FPGA is
%   not configured: load a bitstream first" on the virtual card.
%
%   Example
%     h = ovrix_init();
%     ovrix_config(h, 'ovrix_sample.bit');
%     ovrix_write16_dma(h, 256, int16([-1 2 3]));   % channel 1
%     ovrix_write16_dma(h, 512, uint16(40000), 0);  % channel 0
%     x = ovrix_read16_dma(h, 256, 3)               % int16([-1 2 3])
%     ovrix_close(h);
%
%   See also ovrix_write8_dma, ovrix_write32_dma, ovrix_read16_dma,
%   ovrix_write16, ovrix.
