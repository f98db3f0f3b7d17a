object Notes: TNotesForm
  Caption = 'Release notes'
  Licence =
    'Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ' +
    'eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut e' +
    'nim ad minim veniam, quis nostrud exercitation ullamco laboris n' +
    'isi ut aliquip ex ea commodo consequat. Lorem ipsum dolor sit am' +
    'et, consectetur adipiscing elit, sed do eiusmod tempor incididun' +
    't ut labore et dolore magna aliqua. Ut enim ad minim veniam, qui' +
    's nostrud exercitation ullamco laboris nisi ut aliquip ex ea com' +
    'modo consequat. Lorem ipsum dolor sit amet, consectetur adipisci' +
    'ng elit, sed do eiusmod tempor incididunt ut labore et dolore ma' +
    'gna aliqua. Ut enim ad minim veniam, quis nostrud exercitation u' +
    'llamco laboris nisi ut aliquip ex ea commodo consequat. Lorem ip' +
    'sum dolor sit amet, consectetur adipiscing elit, sed do eiusmod ' +
    'tempor incididunt ut labore et dolore magna aliqua. Ut enim ad m' +
    'inim veniam, quis nostrud exercitation ullamco laboris nisi ut a' +
    'liquip ex ea commodo consequat. Lorem ipsum dolor sit amet, cons' +
    'ectetur adipiscing elit, sed do eiusmod tempor incididunt ut lab' +
    'ore et dolore magna aliqua. Ut enim ad minim veniam, quis nostru' +
    'd exercitation ullamco laboris nisi ut aliquip ex ea commodo con' +
    'sequat. Lorem ipsum dolor sit amet, consectetur adipiscing elit,' +
    ' sed do eiusmod tempor incididunt ut labore et dolore magna aliq' +
    'ua. Ut enim ad minim veniam, quis nostrud exercitation ullamco l' +
    'aboris nisi ut aliquip ex ea commodo consequat. Lorem ipsum dolo' +
    'r sit amet, consectetur adipiscing elit, sed do eiusmod tempor i' +
    'ncididunt ut labore et dolore magna aliqua. Ut enim ad minim ven' +
    'iam, quis nostrud exercitation ullamco laboris nisi ut aliquip e' +
    'x ea commodo consequat. Lorem ipsum dolor sit amet, consectetur ' +
    'adipiscing elit, sed do eiusmod tempor incididunt ut labore et d' +
    'olore magna aliqua. Ut enim ad minim veniam, quis nostrud exerci' +
    'tation ullamco laboris nisi ut aliquip ex ea commodo consequat. ' +
    'Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ' +
    'eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut e' +
    'nim ad minim veniam, quis nostrud exercitation ullamco laboris n' +
    'isi ut aliquip ex ea commodo consequat. Lorem ipsum dolor sit am' +
    'et, consectetur adipiscing elit, sed do eiusmod tempor incididun' +
    't ut labore et dolore magna aliqua. Ut enim ad minim veniam, qui' +
    's nostrud exercitation ullamco laboris nisi ut aliquip ex ea com' +
    'modo consequat. Lorem ipsum dolor sit amet, consectetur adipisci' +
    'ng elit, sed do eiusmod tempor incididunt ut labore et dolore ma' +
    'gna aliqua. Ut enim ad minim veniam, quis nostrud exercitation u' +
    'llamco laboris nisi ut aliquip ex ea commodo consequat. Lorem ip' +
    'sum dolor sit amet, consectetur adipiscing elit, sed do eiusmod ' +
    'tempor incididunt ut labore et dolore magna aliqua. Ut enim ad m' +
    'inim veniam, quis nostrud exercitation ullamco laboris nisi ut a' +
    'liquip ex ea commodo consequat. '
  Summary =
    'Ce texte accentu'#233' d'#233'passe largement la limite : '#233't'#233', hiver, '#224' bi' +
    'ent'#244't '#8212' Ce texte accentu'#233' d'#233'passe largement la limite : '#233't'#233', hiv' +
    'er, '#224' bient'#244't '#8212' Ce texte accentu'#233' d'#233'passe largement la limite : ' +
    #233't'#233', hiver, '#224' bient'#244't '#8212' Ce texte accentu'#233' d'#233'passe largement la l' +
    'imite : '#233't'#233', hiver, '#224' bient'#244't '#8212' Ce texte accentu'#233' d'#233'passe largem' +
    'ent la limite : '#233't'#233', hiver, '#224' bient'#244't '#8212' Ce texte accentu'#233' d'#233'pass' +
    'e largement la limite : '#233't'#233', hiver, '#224' bient'#244't '#8212' Ce texte accentu' +
    #233' d'#233'passe largement la limite : '#233't'#233', hiver, '#224' bient'#244't '#8212' Ce texte' +
    ' accentu'#233' d'#233'passe largement la limite : '#233't'#233', hiver, '#224' bient'#244't '#8212' '
  LongQuotes =
    '''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''' +
    '''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''' +
    '''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''' +
    '''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''' +
    ''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''''
  object NotesMemo: TMemo
    Lines.Strings = (
      'Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ' +
      'eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut e' +
      'nim ad minim veniam, quis nostrud exercitation ullamco laboris n' +
      'isi ut aliquip ex ea commodo consequat. '
      ''
      'Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do ' +
      'eiusmod tempor incididunt ut labore et dolore magna aliqua. Ut e' +
      'nim ad minim veniam, quis nostrud exercitation ullamco laboris n' +
      'isi ut aliquip ex ea commodo consequat. Lorem ipsum dolor sit am' +
      'et, consectetur adipiscing elit, sed do eiusmod tempor incididun' +
      't ut labore et dolore magna aliqua. Ut enim ad minim veniam, qui' +
      's nostrud exercitation ullamco laboris nisi ut aliquip ex ea com' +
      'modo consequat. Lorem ipsum dolor sit amet, consectetur adipisci' +
      'ng elit, sed do eiusmod tempor incididunt ut labore et dolore ma' +
      'gna aliqua. Ut enim ad minim veniam, quis nostrud exercitation u' +
      'llamco laboris nisi ut aliquip ex ea commodo consequat. '
      'A short line after the long ones.')
    ScrollBars = ssVertical
  end
  object Shortcuts: TListBox
    Items.Strings = (
      'Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S C' +
      'trl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ct' +
      'rl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctr' +
      'l+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl+S Ctrl' +
      '+S Ctrl+S Ctrl+S Ctrl+S ')
  end
end
