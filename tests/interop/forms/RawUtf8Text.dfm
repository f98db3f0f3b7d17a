object Utf8Form: TUtf8Form
  Caption = 'Überblick – Größe'
  Hint = 'Привет, мир! Это подсказка, которая длиннее шестидесяти четырёх знаков, а в байтах длиннее 255: ещё немного текста, чтобы наверняка. Ещё одно предложение для длины.'
  object Label1: TLabel
    Caption = '日本語のラベル'
  end
  object Label2: TLabel
    Caption = 'emoji 😀 in UTF-8'
  end
  object Memo1: TMemo
    Lines.Strings = (
      'première ligne'
      'ASCII only line'
      'línea «tres»')
  end
end
