% OVRIX_WRITE32_DMA  Write every byte of an array to the card by DMA.
%   ovrix_write32_dma(H, OFFSET, DATA)
%   ovrix_write32_dma(H, OFFSET, DATA, CHANNEL)
%
%   Writes every byte of the array DATA to the card's local address space,
%   starting at byte OFFSET, in one immediate DMA transfer on channel
%   CHANNEL with a 32-bit bus width. The command returns when the transfer
%   has ended. The FPGA must be configured (see ovrix_config).
%
%   Unlike the other write commands, ovrix_write32_dma sends every byte of
%   DATA's storage whatever its class: numel(DATA) times its element size
%   (1 for int8, uint8 and logical, 2 for int16 and uint16, 4 for int32,
%   uint32 and single, 8 for double, int64 and uint64). Nothing is
%   converted: uint32(x) sends 32-bit words, a double array sends its
%   8-byte doubles as they are stored (read them back with code 8 of
%   ovrix_read32_dma). Complex arrays send their real part only; an empty
%   DATA sends nothing.
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
%   Failures (Octave shows each prefixed with "ovrix_write32_dma: ")
%     Incorrect number of input parameters
%     DMA channel (input 4) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     card handle (input 1) must be the uint32 value that ovrix_init returns
%       (a full numeric array of at least 4 bytes); got DESCRIPTION
%     local offset (input 2) must be a number (a non-empty, full numeric,
%       logical or char array); got DESCRIPTION
%     data array (input 3) must be a full numeric, logical or char array;
%       got DESCRIPTION
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
%     ovrix_write32_dma(h, 0, uint32(1:1024));        % 4096 bytes
%     ovrix_write32_dma(h, 8192, [pi 2.5], 0);        % 16 bytes, channel 0
%     y = ovrix_read32_dma(h, 8192, 2, 0, 8)          % [3.1416 2.5000]
%     ovrix_close(h);
%
%   See also ovrix_write8_dma, ovrix_write16_dma, ovrix_read32_dma,
%   ovrix_write32, ovrix.
