% OVRIX  Commands that drive a PCI FPGA card from Octave and MATLAB.
%   ovrix is a set of nineteen plug-ins that open an FPGA card, load and
%   clock its FPGA, ask what it holds, and move data to and from its local
%   address space, through the card library. Type help <command> for each.
%
%   Open and close
%     ovrix_init          - Open a card and return its handle.
%     ovrix_close         - Close a card handle.
%   FPGA set-up
%     ovrix_config        - Load an FPGA bitstream file into the card.
%     ovrix_setclockrate  - Set a programmable clock (MHz in, Hz out).
%   Information
%     ovrix_getinfo       - Card identity, board and FPGA type, resources.
%     ovrix_getspaceinfo  - Information on one space of the local bus.
%     ovrix_getbankinfo   - Information on one memory bank.
%   Programmed transfers
%     ovrix_read8, ovrix_read16, ovrix_read32     - Read 8/16/32-bit words.
%     ovrix_write8, ovrix_write16, ovrix_write32  - Write 8/16/32-bit words.
%   DMA transfers
%     ovrix_read8_dma, ovrix_read16_dma    - Read 8/16-bit words.
%     ovrix_read32_dma                     - Read 32-bit words or elements
%                                            of a chosen class.
%     ovrix_write8_dma, ovrix_write16_dma  - Write 8/16-bit words.
%     ovrix_write32_dma                    - Write every byte of an array.
%
%   Every command but ovrix_init takes as input 1 the 1x1 uint32 handle
%   that ovrix_init returns; pass it as returned (not double(h)). Numbers
%   are read from their first element, truncated toward zero, low 32 bits
%   kept. The write commands send the bytes of their data as stored, so
%   convert values first: uint8(x), int16(x), uint32(x). A failure raises
%   an error; Octave shows its message prefixed with the command's name,
%   e.g. "ovrix_read32: Failed to read data: ...".
%
%   A typical session
%     h = ovrix_init();                        % the card of identifier 0
%     ovrix_config(h, 'ovrix_sample.bit');     % load the FPGA
%     f = ovrix_setclockrate(h, 0, 100);       % frequency obtained, in Hz
%     ovrix_write32(h, 0, uint32(1:16));       % programmed transfer
%     x = ovrix_read32(h, 0, 16, 1);           % 1x16 uint32
%     ovrix_write16_dma(h, 4096, int16(-8:7)); % DMA, channel 1
%     y = ovrix_read16_dma(h, 4096, 16);       % 1x16 int16
%     ovrix_close(h);
%
%   The virtual card
%   Unless ovrix was built against a real card library, the commands drive
%   the virtual card, a software model of two cards: index 0 (identifier 0,
%   an xrc4sx) and index 1 (identifier 5, an xrc5t1), each with 64 MiB of
%   local address space, clocks 0 and 1 and DMA channels 0 and 1. It takes
%   as a bitstream any file holding the sync word AA 99 55 66 in its first
%   4 KiB, such as the sample ovrix_sample.bit. Its control helper,
%   ovrix_vcard, resets it, injects faults, keeps a journal of the calls
%   it receives and counts live completion events: see help ovrix_vcard.
%
%   See also ovrix_init, ovrix_config, ovrix_getinfo, ovrix_read32,
%   ovrix_write32, ovrix_read32_dma, ovrix_write32_dma.
